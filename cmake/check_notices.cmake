# Fails the build when ZURU.EXE links a library or start-up object of the
# toolchain that NOTICES does not name: NOTICES says under which licence each
# part built into the program is passed on, and was written from this map.
#   cmake -DMAP=<map file> -DNOTICES=<NOTICES> -P check_notices.cmake
file(READ "${MAP}" map)
string(FIND "${map}" "\nDiscarded input sections" end)
string(SUBSTRING "${map}" 0 ${end} included)  # the members and what needed them
file(READ "${NOTICES}" notices)
# Archives whose members are linked ("/path/libx.a(member.o)"), and the
# toolchain's own objects ("LOAD /usr/.../crt2.o"); our own libraries are ours.
string(REGEX MATCHALL "[^ \n(/]+\\.a\\(" archives "${included}")
string(REGEX MATCHALL "LOAD /usr/[^\n]+\\.o" objects "${map}")
set(parts "")
foreach(entry IN LISTS archives objects)
  string(REGEX REPLACE "^.*/|\\($" "" name "${entry}")
  if(NOT name MATCHES "^libzuru_")
    list(APPEND parts ${name})
  endif()
endforeach()
list(REMOVE_DUPLICATES parts)
set(unnamed "")
foreach(part IN LISTS parts)
  string(FIND "${notices}" "${part}" at)
  if(at EQUAL -1)
    list(APPEND unnamed ${part})
  endif()
endforeach()
if(unnamed)
  list(JOIN unnamed ", " text)
  message(FATAL_ERROR "${MAP}: ZURU.EXE links ${text}, which ${NOTICES} does not name: "
                      "add each with its licence's text as the licence asks "
                      "(/usr/share/doc/<package>/copyright)")
endif()
list(JOIN parts ", " text)
message(STATUS "NOTICES names every part of the toolchain in ZURU.EXE: ${text}")
