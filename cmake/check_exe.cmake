# Checks a finished ZURU.EXE without running it, so that the product is checked
# on machines that cannot run it too: it imports system DLLs only and nothing
# that Windows XP lacks, carries its version record and a manifest for its own
# architecture, and stays within its size (the link-map check names library
# members, which a new toolchain may rename; the size catches what comes back
# under another name). Prints what it found; fails on a difference.
#   cmake -DEXE=<ZURU.EXE> -DOBJDUMP=<objdump> -DWINDRES=<windres> -DVERSION=<a.b.c.d>
#         -DMANIFEST_ARCH=<x86|amd64> -DMAX_BYTES=<n> -P check_exe.cmake
#   cmake -DEXE=<ZURU.EXE> -DOBJDUMP=<objdump> -DREPORT_ONLY=ON -P check_exe.cmake
#         (the imports only, printed and not checked: for script/bench)
cmake_minimum_required(VERSION 3.21)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()

# DLLs that every Windows from XP on has.
set(system_dlls KERNEL32 USER32 GDI32 ADVAPI32 SHELL32 COMCTL32 COMDLG32 OLE32 OLEAUT32
    SHLWAPI VERSION WINMM MSVCRT)
# Functions that Windows XP lacks (Vista and later), as far as a program like
# this one could come to import them.
set(newer_than_xp "GetTickCount64|RegDeleteTree|RegGetValue|RegSetKeyValue|RegCopyTree|Ex2[AW]?$|SRWLock|ConditionVariable|InitOnce|^Fls|GetFinalPathNameByHandle|CreateSymbolicLink|LocaleName|LCMapStringEx|CompareStringEx|GetLocaleInfoEx|CreateEventEx|CreateMutexEx|CreateSemaphoreEx|InitializeCriticalSectionEx|GetFileInformationByHandleEx|SetFileInformationByHandle|QueryFullProcessImageName|GetErrorMode|SetThreadErrorMode|CancelIoEx|GetThreadId$|TaskDialog|SHGetKnownFolderPath|ChangeWindowMessageFilter|SetProcessDPIAware|DpiAwareness|GetDpiFor|Dwm|GetSystemTimePreciseAsFileTime|PowerSetRequest|CreateFile2")

set(problems "")
string(REGEX MATCHALL "DLL Name: [^\n]+" dll_lines "${headers}")
set(dlls "")
foreach(line ${dll_lines})
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.[dD][lL][lL]" "\\1" dll "${line}")
  list(APPEND dlls ${dll})
  string(TOUPPER "${dll}" upper)
  if(NOT upper IN_LIST system_dlls)
    list(APPEND problems "imports ${dll}.dll, which is no Windows system DLL")
  endif()
endforeach()
string(REGEX MATCHALL "\n\t[0-9a-f]+\t *[0-9]+  [A-Za-z_0-9]+" function_lines "${headers}")
set(functions "")
set(newer "")
foreach(line ${function_lines})
  string(REGEX REPLACE ".* ([A-Za-z_0-9]+)$" "\\1" function "${line}")
  list(APPEND functions ${function})
  if(function MATCHES "${newer_than_xp}")
    list(APPEND newer ${function})
  endif()
endforeach()
list(REMOVE_DUPLICATES functions)
list(LENGTH functions function_count)
list(JOIN dlls " " dll_text)
message(STATUS "imported DLLs: ${dll_text}")
message(STATUS "imported functions: ${function_count}")
if(newer)
  list(JOIN newer " " newer_text)
  message(STATUS "imports that Windows XP lacks: ${newer_text}")
  list(APPEND problems "imports functions that Windows XP lacks: ${newer_text}")
else()
  message(STATUS "imports that Windows XP lacks: none")
endif()
if(REPORT_ONLY)
  return()
endif()

execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE resources RESULT_VARIABLE failed)
if(failed)
  list(APPEND problems "${WINDRES} could not read the resources")
endif()
string(REPLACE "." ", " version_text "${VERSION}")
foreach(expected "FILEVERSION ${version_text}" "PRODUCTVERSION ${version_text}"
                 "VALUE \"OriginalFilename\", \"ZURU.EXE\"")
  string(FIND "${resources}" "${expected}" at)
  if(at EQUAL -1)
    list(APPEND problems "the version record lacks ${expected}")
  endif()
endforeach()
# The manifest comes back as bytes: look for the architecture it names.
string(HEX "processorArchitecture=\"${MANIFEST_ARCH}\"" wanted)
file(READ ${EXE} bytes HEX)
string(FIND "${bytes}" "${wanted}" at)
if(at EQUAL -1)
  list(APPEND problems "the manifest does not name the architecture ${MANIFEST_ARCH}")
endif()

file(SIZE ${EXE} bytes)
message(STATUS "size: ${bytes} bytes (at most ${MAX_BYTES})")
if(bytes GREATER MAX_BYTES)
  list(APPEND problems "it has grown to ${bytes} bytes, past its ${MAX_BYTES}")
endif()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${EXE}:\n  ${text}")
endif()
