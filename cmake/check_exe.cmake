# Checks a finished ZURU.EXE without running it, so that the product is checked
# on machines that cannot run it too: it imports system DLLs only and nothing
# that Windows XP lacks (its C runtime included), carries its version record and
# a manifest for its own architecture without a requested execution level, looks
# like no installer to Windows, and stays within its size (the link-map check
# names library members, which a new toolchain may rename; the size catches what
# comes back under another name). Prints what it found; fails on a difference.
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

# Functions of msvcrt.dll that Windows XP's lacks: Vista's msvcrt.dll took them
# over from the Visual C++ 2005 runtime. The secure "_s" family, the forms that
# take a locale ("_l") and the locale objects, printf with positional arguments
# ("_p"), the stream functions without locking ("_nolock", _lock_file), 64-bit
# stream positions, the time and file-status functions named for their 32-bit
# forms, and the accessors of errno and of the runtime's handlers. mingw-w64
# links its own copies of some of them (_fseeki64, sprintf_s, _get_errno ...)
# rather than import them; the others would make the program fail to load on XP.
set(crt_newer_than_xp "_s$|_l$|_p$|_nolock$|^_(lock|unlock)_file$|^_fseeki64$|^_ftelli64$|^_w?(time|ctime|gmtime|localtime|mktime|mkgmtime|difftime|utime|futime|ftime|stat|fstat|findfirst|findnext)32(i64)?$|64i32$|^_(create|free|get_current)_locale$|^_configthreadlocale$|^_(get|set)_(errno|doserrno|fmode|invalid_parameter_handler|printf_count_output|output_format)$|^_get_(osplatform|osver|winver|winmajor|winminor|pgmptr|wpgmptr|timezone|daylight|dstbias|tzname)$|^_set_(abort_behavior|purecall_handler)$|^_(aligned_|aligned_offset_)?recalloc$|^_aligned_msize$|^_v?swprintf_c$")

set(problems "")
set(dlls "")
set(functions "")
set(crt_functions "")
set(newer "")
# One block per DLL: its name, then one line per function.
string(REGEX MATCHALL "DLL Name: [^\n]+\n\tvma:[^\n]*(\n\t[0-9a-f]+\t *[0-9]+  [A-Za-z_0-9]+)*"
       dll_blocks "${headers}")
foreach(block ${dll_blocks})
  string(REGEX MATCH "DLL Name: ([^.]+)\\.[dD][lL][lL]" ignored "${block}")
  set(dll ${CMAKE_MATCH_1})
  list(APPEND dlls ${dll})
  string(TOUPPER "${dll}" upper)
  if(NOT upper IN_LIST system_dlls)
    list(APPEND problems "imports ${dll}.dll, which is no Windows system DLL")
  endif()
  string(REGEX MATCHALL "\n\t[0-9a-f]+\t *[0-9]+  [A-Za-z_0-9]+" function_lines "${block}")
  foreach(line ${function_lines})
    string(REGEX REPLACE ".* ([A-Za-z_0-9]+)$" "\\1" function "${line}")
    list(APPEND functions ${function})
    if(upper STREQUAL "MSVCRT")
      list(APPEND crt_functions ${function})
      if(function MATCHES "${crt_newer_than_xp}")
        list(APPEND newer ${function})
      endif()
    elseif(function MATCHES "${newer_than_xp}")
      list(APPEND newer ${function})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES functions)
list(LENGTH functions function_count)
list(LENGTH crt_functions crt_count)
list(JOIN dlls " " dll_text)
list(JOIN crt_functions " " crt_text)
message(STATUS "imported DLLs: ${dll_text}")
message(STATUS "imported functions: ${function_count}")
message(STATUS "of them from the C runtime (msvcrt.dll), ${crt_count}: ${crt_text}")
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

# Without a requested execution level, Windows from Vista on treats the 32-bit
# program as it treats the simulator and its compiler: writes to a protected
# folder go to the user's VirtualStore copy, and all three see that copy. A
# level (asInvoker too) would make ZURU.EXE alone see the real folder.
file(STRINGS ${EXE} manifest_lines REGEX "<(requestedExecutionLevel|trustInfo|description)[ >]")
set(description "")
set(level_lines "")
foreach(line ${manifest_lines})
  if(line MATCHES "<description>([^<]*)</description>")
    set(description "${CMAKE_MATCH_1}")
  else()
    string(STRIP "${line}" line)
    list(APPEND level_lines "${line}")
  endif()
endforeach()
if(level_lines)
  list(JOIN level_lines " " level_text)
  list(APPEND problems "the manifest has a trustInfo or requested execution level: ${level_text}")
endif()
# Such a program that looks like an installer gets Windows' elevation prompt, and,
# elevated, the real folder again: so no installer's word in its file name, the
# strings of its version record or its manifest's description.
set(installer_words install setup update patch)
get_filename_component(file_name ${EXE} NAME)
string(REGEX MATCHALL "VALUE \"[^\"]*\", \"[^\"]*\"" version_strings "${resources}")
foreach(text "file name ${file_name}" "manifest description ${description}" ${version_strings})
  string(TOLOWER "${text}" lower)
  foreach(word ${installer_words})
    string(FIND "${lower}" "${word}" at)
    if(NOT at EQUAL -1)
      list(APPEND problems "\"${word}\" makes Windows take it for an installer, in: ${text}")
    endif()
  endforeach()
endforeach()

file(SIZE ${EXE} bytes)
message(STATUS "size: ${bytes} bytes (at most ${MAX_BYTES})")
if(bytes GREATER MAX_BYTES)
  list(APPEND problems "it has grown to ${bytes} bytes, past its ${MAX_BYTES}")
endif()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${EXE}:\n  ${text}")
endif()
