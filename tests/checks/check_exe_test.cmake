# Runs cmake/check_exe.cmake on each planted EXE of check_exe_cases.cmake: the
# check must fail on each and print the case's reason, and pass the clean EXE.
# Prints one line a case; fails when any case went otherwise.
#   cmake -DCHECK=<check_exe.cmake> -DPLANTED=<folder of the planted EXEs>
#         -DWORK=<scratch folder> -DOBJDUMP=<objdump> -DWINDRES=<windres>
#         -DMANIFEST_ARCH=<x86|amd64> -DOTHER_ARCH=<amd64|x86> -P check_exe_test.cmake
cmake_minimum_required(VERSION 3.21)
include(${CMAKE_CURRENT_LIST_DIR}/check_exe_cases.cmake)

# Runs the check as app/ runs it on ZURU.EXE, with the planted version and a
# bound far above the planted EXEs' size (unless the case sets one); sets
# <prefix>_failed and <prefix>_output (everything it printed, its runs of
# white space made one space).
function(run_check exe max_bytes prefix)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DEXE=${exe} -DOBJDUMP=${OBJDUMP} -DWINDRES=${WINDRES}
            -DVERSION=${PLANTED_VERSION} -DMANIFEST_ARCH=${MANIFEST_ARCH}
            -DMAX_BYTES=${max_bytes} -P ${CHECK}
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
  string(REGEX REPLACE "[ \t\r\n]+" " " output "${output}")
  set(${prefix}_failed ${failed} PARENT_SCOPE)
  set(${prefix}_output "${output}" PARENT_SCOPE)
endfunction()

# The emulated machine of script/test-i686 runs the i686 tests without the
# cross tools: there the test is skipped (CTest's SKIP_REGULAR_EXPRESSION); it
# runs in both Windows builds on the machine that builds them.
foreach(tool ${OBJDUMP} ${WINDRES})
  unset(found)
  find_program(found ${tool} NO_CACHE)
  if(NOT found)
    message("check_exe_test: skipped, as ${tool} is not on this machine")
    return()
  endif()
endforeach()

set(clean ${PLANTED}/clean/ZURU.EXE)
if(NOT EXISTS ${clean})
  message(FATAL_ERROR "${clean} is missing: build the target planted_exes")
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

set(failures "")
set(count 0)

# The clean EXE passes, and the check says what it found.
run_check(${clean} 204800 run)
if(run_failed)
  list(APPEND failures "clean: the check failed on the clean EXE: ${run_output}")
elseif(NOT run_output MATCHES "imports that Windows XP lacks: none")
  list(APPEND failures "clean: the check passed without saying it found no import that XP lacks: ${run_output}")
else()
  message(STATUS "ok     clean: passes")
endif()
math(EXPR count "${count} + 1")

foreach(case ${PLANTED_CASES})
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 what)
  list(GET fields 2 value)
  list(GET fields 3 expected)
  string(REGEX REPLACE "[ \t\r\n]+" " " expected "${expected}")
  set(exe ${PLANTED}/${name}/ZURU.EXE)
  set(max_bytes 204800)
  if(what STREQUAL "FILE_NAME")
    # The clean EXE under the case's name, in a folder of its own.
    file(MAKE_DIRECTORY ${WORK}/${name})
    set(exe ${WORK}/${name}/${value})
    file(COPY_FILE ${clean} ${exe})
  elseif(what STREQUAL "MAX_BYTES")
    set(exe ${clean})
    set(max_bytes ${value})
  elseif(NOT EXISTS ${exe})
    list(APPEND failures "${name}: ${exe} is missing: build the target planted_exes")
    continue()
  endif()
  math(EXPR count "${count} + 1")
  run_check(${exe} ${max_bytes} run)
  string(FIND "${run_output}" "${expected}" at)
  if(NOT run_failed)
    list(APPEND failures "${name}: the check passed, where it should have failed with: ${expected}")
  elseif(at EQUAL -1)
    list(APPEND failures "${name}: the check failed, but not with: ${expected}\n    it said: ${run_output}")
  else()
    message(STATUS "ok     ${name}: ${expected}")
  endif()
endforeach()

list(LENGTH failures failed)
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "check_exe.cmake went otherwise than expected in ${failed} of ${count} cases:\n  ${text}")
endif()
message(STATUS "check_exe.cmake: all ${count} cases as expected")
