# Checks, at build time and without running either, that the setup program and
# the ZURU.EXE it carries agree on what the product is: the setup program tells
# our ZURU.EXE from the simulator's compiler by the product name and company of
# its version record, so both must be the build's (CMakeLists.txt), as must the
# product version that the setup program compares and names itself by. Both
# name the holder of the licence, as LICENSE's copyright line does.
#   cmake -DSETUP=<setup.exe> -DEXE=<ZURU.EXE> -DWINDRES=<windres> -DPRODUCT=<name>
#         -DCOMPANY=<name> -DVERSION=<product version> -DCOPYRIGHT=<copyright line>
#         -DLICENSE=<LICENSE> -P check_setup.cmake
cmake_minimum_required(VERSION 3.21)

# The strings of a program's version record, as "<key>=<value>" list entries.
function(read_version_strings file out)
  execute_process(COMMAND ${WINDRES} -i ${file} -O rc OUTPUT_VARIABLE resources
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    message(FATAL_ERROR "${WINDRES} could not read the resources of ${file}")
  endif()
  string(REGEX MATCHALL "VALUE \"[A-Za-z]+\", \"[^\"\n]*\"" lines "${resources}")
  set(strings "")
  foreach(line ${lines})
    string(REGEX REPLACE "VALUE \"([A-Za-z]+)\", \"([^\"\n]*)\"" "\\1=\\2" entry "${line}")
    list(APPEND strings "${entry}")
  endforeach()
  set(${out} "${strings}" PARENT_SCOPE)
endfunction()

read_version_strings(${EXE} ours)
read_version_strings(${SETUP} setup)
set(problems "")
foreach(expected
    "ours;ProductName=${PRODUCT}" "ours;CompanyName=${COMPANY}" "ours;ProductVersion=${VERSION}"
    "setup;ProductName=${PRODUCT} setup" "setup;CompanyName=${COMPANY}"
    "setup;ProductVersion=${VERSION}" "setup;OriginalFilename=zuru-${VERSION}-setup.exe"
    "ours;LegalCopyright=${COPYRIGHT}" "setup;LegalCopyright=${COPYRIGHT}")
  list(GET expected 0 program)
  list(GET expected 1 entry)
  if(NOT entry IN_LIST ${program})
    list(APPEND problems "${program}: ${entry} is missing")
  endif()
endforeach()
file(STRINGS ${LICENSE} license_lines)
if(NOT COPYRIGHT IN_LIST license_lines)
  list(APPEND problems "LICENSE: the line ${COPYRIGHT} is missing")
endif()
if(problems)
  list(JOIN ours " | " ours_text)
  list(JOIN setup " | " setup_text)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The setup program and ZURU.EXE disagree on what the product is:\n  ${text}\n"
                      "ZURU.EXE: ${ours_text}\nsetup: ${setup_text}")
endif()
message(STATUS "The setup program and ZURU.EXE agree: ${PRODUCT} ${VERSION}, ${COMPANY}")
