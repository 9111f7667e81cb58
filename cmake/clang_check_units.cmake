# For script/clang-check: turns the Windows build's compile commands into clang
# command lines, one response file a translation unit, so that the pass always
# covers what the build compiles, with its definitions and include folders.
#   cmake -DCOMPILE_COMMANDS=<build>/compile_commands.json -DSOURCE_DIR=<sources>
#         -DBUILD_DIR=<build> -DWORK=<folder> -DCLANG=<clang> -DCLANG_FLAGS=<flags>
#         -DPLANTED=<sources that must fail> -P clang_check_units.cmake
# Writes <WORK>/units/<name>.rsp and <WORK>/units.txt ("<name> <source>" a line):
# every C and C++ translation unit of ours (under SOURCE_DIR, not generated in
# BUILD_DIR: not GoogleTest's); <WORK>/planted/<name>.rsp and <WORK>/planted.txt:
# each planted source with the command line of the first C++ unit; and
# <WORK>/build.ninja, which runs them (and precompiles GoogleTest's header for
# the units that have it, <WORK>/pch/). Prints the build's flags that clang does
# not know, which it leaves out.
cmake_minimum_required(VERSION 3.21)
if(NOT EXISTS ${COMPILE_COMMANDS})
  message(FATAL_ERROR "${COMPILE_COMMANDS} is missing: configure the build first")
endif()
file(READ ${COMPILE_COMMANDS} json)
string(JSON count LENGTH "${json}")
separate_arguments(clang_flags UNIX_COMMAND "${CLANG_FLAGS}")
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" REALPATH)
get_filename_component(BUILD_DIR "${BUILD_DIR}" REALPATH)

# One argument of a response file: quoted, as clang reads them (GNU style).
function(quoted argument out)
  string(REPLACE "\\" "\\\\" argument "${argument}")
  string(REPLACE "\"" "\\\"" argument "${argument}")
  set(${out} "\"${argument}\"" PARENT_SCOPE)
endfunction()

set(units "")           # the indices of our entries
set(probed_flags "")    # the build's flags other than definitions and folders
set(compiler "")
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  string(JSON file GET "${json}" ${i} file)
  string(JSON directory GET "${json}" ${i} directory)
  if(NOT IS_ABSOLUTE "${file}")
    set(file "${directory}/${file}")
  endif()
  get_filename_component(file "${file}" REALPATH)
  string(FIND "${file}" "${SOURCE_DIR}/" in_sources)
  string(FIND "${file}" "${BUILD_DIR}/" in_build)
  # C and C++ only: the build's resource scripts are in the list too.
  if(NOT in_sources EQUAL 0 OR in_build EQUAL 0 OR NOT file MATCHES "\\.(c|cc|cpp|cxx)$")
    continue()
  endif()
  string(JSON command GET "${json}" ${i} command)
  separate_arguments(arguments UNIX_COMMAND "${command}")
  list(POP_FRONT arguments unit_compiler)
  set(kept "")
  set(skip_next FALSE)
  set(take_next FALSE)
  foreach(argument ${arguments})
    if(skip_next)
      set(skip_next FALSE)
    elseif(take_next)
      list(APPEND kept "${argument}")
      set(take_next FALSE)
    elseif(argument MATCHES "^-(o|MT|MF|MQ)$")
      set(skip_next TRUE)        # the object and its dependency file
    elseif(argument MATCHES "^-(c|MD|MMD)$" OR argument STREQUAL "${file}")
    elseif(argument MATCHES "^-(isystem|include|iquote|idirafter|D|U|I)$")
      list(APPEND kept "${argument}")
      set(take_next TRUE)
    else()
      list(APPEND kept "${argument}")
      if(NOT argument MATCHES "^-[DUI]")
        list(APPEND probed_flags "${argument}")
      endif()
    endif()
  endforeach()
  set(unit_${i}_file "${file}")
  set(unit_${i}_arguments "${kept}")
  set(unit_${i}_cxx FALSE)
  if(unit_compiler MATCHES "\\+\\+[^/]*$")
    set(unit_${i}_cxx TRUE)
    if(NOT compiler)
      set(compiler "${unit_compiler}")
      set(reference ${i})
    endif()
  endif()
  list(APPEND units ${i})
endforeach()
if(NOT units OR NOT compiler)
  message(FATAL_ERROR "${COMPILE_COMMANDS} holds no C++ unit of ours")
endif()

# The cross compiler's triple, and its own C++ header folders, which clang does
# not find by itself (the C headers of mingw-w64 it does).
get_filename_component(compiler_name "${compiler}" NAME)
if(NOT compiler_name MATCHES "^(.*-mingw32)-")
  message(FATAL_ERROR "${compiler} is no mingw-w64 cross compiler")
endif()
set(triple ${CMAKE_MATCH_1})
execute_process(COMMAND ${compiler} -xc++ -E -v - INPUT_FILE /dev/null
  OUTPUT_QUIET ERROR_VARIABLE search RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${compiler} -xc++ -E -v - failed")
endif()
string(REGEX MATCH "#include <...> search starts here:\n(.*)\nEnd of search list" ignored "${search}")
string(REPLACE "\n" ";" folders "${CMAKE_MATCH_1}")
set(cxx_headers "")
foreach(folder ${folders})
  string(STRIP "${folder}" folder)
  if(folder MATCHES "/c\\+\\+")
    get_filename_component(folder "${folder}" REALPATH)
    list(APPEND cxx_headers -isystem "${folder}")
  endif()
endforeach()
if(NOT cxx_headers)
  message(FATAL_ERROR "${compiler} names no C++ header folder:\n${search}")
endif()

# The build's flags that clang does not know (GCC's own) are left out.
list(REMOVE_DUPLICATES probed_flags)
set(unknown "")
foreach(flag ${probed_flags})
  execute_process(COMMAND ${CLANG} --target=${triple} -Werror ${flag} -fsyntax-only -xc++ -
    INPUT_FILE /dev/null OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
  if(failed)
    list(APPEND unknown "${flag}")
  endif()
endforeach()
if(unknown)
  list(JOIN unknown " " text)
  message(STATUS "left out, as clang does not know them: ${text}")
endif()

# Writes <text> to <WORK>/<folder>/<name>.rsp, named by its contents, so that
# an unchanged command line keeps its name and ninja its result (and is written
# only when new). Sets <out> to the name.
function(write_rsp folder text out)
  string(SHA1 name "${text}")
  string(SUBSTRING ${name} 0 16 name)
  if(NOT EXISTS ${WORK}/${folder}/${name}.rsp)
    file(WRITE ${WORK}/${folder}/${name}.rsp "${text}")
  endif()
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# A unit's response file: the build's arguments less the unknown ones, the C++
# header folders for C++, then the pass's own flags. Sets <out> to its name and
# <out>_pch to the name of the response file for GoogleTest's header
# precompiled with the same arguments, when the unit has GoogleTest's headers
# (most units that have are tests, which include them, and parsing them is most
# of a test's time); to "" otherwise.
function(write_unit folder index file out)
  set(arguments --target=${triple} ${unit_${index}_arguments})
  if(unknown)
    list(REMOVE_ITEM arguments ${unknown})
  endif()
  if(unit_${index}_cxx)
    list(APPEND arguments ${cxx_headers})
  endif()
  list(APPEND arguments ${clang_flags})
  set(text "")
  set(gtest FALSE)
  set(folder_next FALSE)
  foreach(argument ${arguments})
    if(folder_next AND EXISTS "${argument}/gtest/gtest.h")
      set(gtest TRUE)
    endif()
    set(folder_next FALSE)
    if(argument MATCHES "^-(isystem|I)$")
      set(folder_next TRUE)
    elseif(argument MATCHES "^-I(.+)" AND EXISTS "${CMAKE_MATCH_1}/gtest/gtest.h")
      set(gtest TRUE)
    endif()
    quoted("${argument}" argument)
    string(APPEND text "${argument}\n")
  endforeach()
  set(pch "")
  if(gtest AND unit_${index}_cxx)
    write_rsp(pch "${text}" pch)
  endif()
  quoted("${file}" file)
  write_rsp(${folder} "${text}${file}\n" name)
  set(${out} ${name} PARENT_SCOPE)
  set(${out}_pch ${pch} PARENT_SCOPE)
endfunction()

# build.ninja: each unit passes when clang prints nothing; each planted source
# passes when clang fails on it for its cast. Ninja runs them two at a time, and
# again only when a unit's command line, source, headers or clang change.
get_filename_component(clang_path "${CLANG}" PROGRAM)
get_filename_component(clang_path "${clang_path}" REALPATH)
if(NOT clang_path)
  message(FATAL_ERROR "${CLANG} not found")
endif()
set(ninja "ninja_required_version = 1.10\nclang = ${clang_path}\n")
string(APPEND ninja [=[
rule pch
  command = $clang @$in -x c++-header gtest_pch.h -o $out -MD -MF $out.d -MT $out
  depfile = $out.d
  deps = gcc
  description = GoogleTest's header
rule unit
  command = $clang -fsyntax-only @$in $pch -MD -MF $out.d -MT $out >$out.log 2>&1; status=$$?; cat $out.log; test $$status = 0 && test ! -s $out.log && touch $out
  depfile = $out.d
  deps = gcc
  description = $source
rule planted
  command = if $clang -fsyntax-only @$in >$out.log 2>&1; then echo "$source: planted, and not caught"; exit 1; fi; if grep -q "cast between incompatible calling conventions" $out.log; then touch $out; else cat $out.log; echo "$source: planted, and caught for another reason than its cast"; exit 1; fi
  description = $source (planted)
]=])

set(names "")
set(list "")
foreach(i ${units})
  write_unit(units ${i} "${unit_${i}_file}" name)
  if(name IN_LIST names)
    continue()                   # the same source with the same flags in another target
  endif()
  list(APPEND names ${name})
  file(RELATIVE_PATH relative ${SOURCE_DIR} "${unit_${i}_file}")
  string(APPEND list "${name} ${relative}\n")
  if(name_pch AND NOT name_pch IN_LIST names)
    list(APPEND names ${name_pch})
    string(APPEND ninja "build pch/${name_pch}.pch: pch pch/${name_pch}.rsp | $clang\n")
  endif()
  string(APPEND ninja "build units/${name}.ok: unit units/${name}.rsp | $clang")
  if(name_pch)
    string(APPEND ninja " pch/${name_pch}.pch\n  pch = -include-pch pch/${name_pch}.pch")
  endif()
  string(APPEND ninja "\n  source = ${relative}\n")
endforeach()
file(WRITE ${WORK}/units.txt "${list}")

set(list "")
foreach(file ${PLANTED})
  get_filename_component(file "${file}" REALPATH)
  write_unit(planted ${reference} "${file}" name)
  list(APPEND names ${name})
  file(RELATIVE_PATH relative ${SOURCE_DIR} "${file}")
  string(APPEND list "${name} ${relative}\n")
  string(APPEND ninja "build planted/${name}.ok: planted planted/${name}.rsp | ${file} $clang\n  source = ${relative}\n")
endforeach()
file(WRITE ${WORK}/planted.txt "${list}")
file(WRITE ${WORK}/build.ninja "${ninja}")
if(NOT EXISTS ${WORK}/gtest_pch.h)
  file(WRITE ${WORK}/gtest_pch.h "#include <gtest/gtest.h>\n")
endif()

# What belongs to units no longer built goes.
file(GLOB old ${WORK}/units/* ${WORK}/planted/* ${WORK}/pch/*)
foreach(path ${old})
  get_filename_component(name "${path}" NAME)
  string(REGEX REPLACE "\\..*" "" name "${name}")
  if(NOT name IN_LIST names)
    file(REMOVE ${path})
  endif()
endforeach()
