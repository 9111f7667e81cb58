# Fails the build when a program's link map shows a library member that the
# program keeps out of its link, and names what brought the member in.
#   cmake -DMAP=<map file> -DKEPT_OUT="<library(member)>;..." -P check_link_map.cmake
# A member is written as the map writes it, for example libstdc++.a(cp-demangle.o).
file(READ "${MAP}" map)
string(FIND "${map}" "\nDiscarded input sections" end)
string(SUBSTRING "${map}" 0 ${end} included)  # the members and what needed them
foreach(member IN LISTS KEPT_OUT)
  string(FIND "${included}" "${member}" at)
  if(NOT at EQUAL -1)
    string(SUBSTRING "${included}" ${at} 400 cause)
    string(REGEX MATCH "^[^\n]*\n[^\n]*" cause "${cause}")
    message(FATAL_ERROR "${MAP}: ${member} is linked again, kept out on purpose "
                        "(see app/CMakeLists.txt). The map says:\n${cause}")
  endif()
endforeach()
