# The cases of check_exe_test: each one a planted EXE (or the clean one under
# another name or bound) with one fault, and what cmake/check_exe.cmake must say
# about it. CMakeLists.txt builds the EXEs from this list, check_exe_test.cmake
# runs the check on them. Whoever includes it sets MANIFEST_ARCH (the build's)
# and OTHER_ARCH (the other Windows build's).
#
# Each case: <name>|<what differs from the clean EXE>|<its value>|<what the
# check must print for it>. What differs:
#   IMPORT            the EXE imports <DLL>:<function>
#   FILE_VERSION, PRODUCT_VERSION, COMPANY_NAME, FILE_DESCRIPTION, INTERNAL_NAME,
#   ORIGINAL_FILENAME, PRODUCT_NAME
#                     that field of the version record
#   DESCRIPTION, ARCH, LEVEL
#                     the manifest's description, its processorArchitecture, and
#                     a trustInfo block with that requested execution level
#   FILE_NAME         the clean EXE, copied under that name
#   MAX_BYTES         the clean EXE, checked against that bound
# The clean EXE (ZURU.EXE, version 1.2.3.4) passes.

set(PLANTED_VERSION 1.2.3.4)

# What the clean EXE has.
set(PLANTED_CLEAN
  FILE_VERSION "1,2,3,4"
  PRODUCT_VERSION "1,2,3,4"
  COMPANY_NAME "The ZURU developers"
  FILE_DESCRIPTION "ZURU Adventure Options"
  INTERNAL_NAME "ZURU"
  ORIGINAL_FILENAME "ZURU.EXE"
  PRODUCT_NAME "ZURU Adventure Options"
  DESCRIPTION "ZURU Adventure Options"
  ARCH "${MANIFEST_ARCH}"
  LEVEL "")

set(PLANTED_CASES
  # Installer words, each in each place the check looks.
  "name-setup|FILE_NAME|setup.exe|\"setup\" makes Windows take it for an installer, in: file name setup.exe"
  "name-install|FILE_NAME|ZURU-Install.EXE|\"install\" makes Windows take it for an installer, in: file name ZURU-Install.EXE"
  "name-update|FILE_NAME|zuru_update.exe|\"update\" makes Windows take it for an installer, in: file name zuru_update.exe"
  "name-patch|FILE_NAME|ZURUPATCH.EXE|\"patch\" makes Windows take it for an installer, in: file name ZURUPATCH.EXE"
  "version-setup|FILE_DESCRIPTION|ZURU Setup|\"setup\" makes Windows take it for an installer, in: VALUE \"FileDescription\", \"ZURU Setup\""
  "version-install|PRODUCT_NAME|ZURU Installer|\"install\" makes Windows take it for an installer, in: VALUE \"ProductName\", \"ZURU Installer\""
  "version-update|COMPANY_NAME|ZURU Update Service|\"update\" makes Windows take it for an installer, in: VALUE \"CompanyName\", \"ZURU Update Service\""
  "version-patch|INTERNAL_NAME|zurupatch|\"patch\" makes Windows take it for an installer, in: VALUE \"InternalName\", \"zurupatch\""
  "manifest-setup|DESCRIPTION|Setup of ZURU|\"setup\" makes Windows take it for an installer, in: manifest description Setup of ZURU"
  "manifest-install|DESCRIPTION|ZURU installation|\"install\" makes Windows take it for an installer, in: manifest description ZURU installation"
  "manifest-update|DESCRIPTION|ZURU Updater|\"update\" makes Windows take it for an installer, in: manifest description ZURU Updater"
  "manifest-patch|DESCRIPTION|ZURU Patch|\"patch\" makes Windows take it for an installer, in: manifest description ZURU Patch"
  # A requested execution level, asInvoker too.
  "level|LEVEL|asInvoker|the manifest has a trustInfo or requested execution level: <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"> <requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"
  # The manifest of the other architecture, the version record of another version
  # or file.
  "arch|ARCH|${OTHER_ARCH}|the manifest does not name the architecture ${MANIFEST_ARCH}"
  "file-version|FILE_VERSION|1,2,3,5|the version record lacks FILEVERSION 1, 2, 3, 4"
  "product-version|PRODUCT_VERSION|1,2,3,5|the version record lacks PRODUCTVERSION 1, 2, 3, 4"
  "original-name|ORIGINAL_FILENAME|ZURU2.EXE|the version record lacks VALUE \"OriginalFilename\", \"ZURU.EXE\""
  # A DLL that is no part of Windows (Visual C++ 2005's runtime), and the bound
  # of the size.
  "foreign-dll|IMPORT|MSVCR80:_initterm_e|imports MSVCR80.dll, which is no Windows system DLL"
  "size|MAX_BYTES|1024|bytes, past its 1024")

# A function of each family of msvcrt.dll that XP's lacks (crt_newer_than_xp),
# imported from msvcrt.dll.
foreach(function
    fopen_s                  # the secure "_s" family
    _strtod_l                # the forms that take a locale
    _printf_p                # printf with positional arguments
    _fread_nolock            # the stream functions without locking
    _lock_file               #   and their locks
    _fseeki64                # 64-bit stream positions
    _ftelli64
    _time32                  # the time and file-status functions named for 32 bits
    _stat64i32
    _create_locale           # the locale objects
    _configthreadlocale
    _get_errno               # the accessors of errno and the runtime's settings
    _get_osplatform          #   and of the system's version
    _set_purecall_handler    #   and of its handlers
    _recalloc
    _aligned_msize
    _swprintf_c)
  list(APPEND PLANTED_CASES
    "crt-${function}|IMPORT|msvcrt:${function}|imports functions that Windows XP lacks: ${function}")
endforeach()

# A function of each kind that Windows XP lacks (newer_than_xp), from its DLL.
foreach(import
    KERNEL32:GetTickCount64 ADVAPI32:RegDeleteTreeW ADVAPI32:RegGetValueW
    ADVAPI32:RegSetKeyValueW ADVAPI32:RegCopyTreeW ADVAPI32:EnableTraceEx2
    KERNEL32:AcquireSRWLockExclusive KERNEL32:InitializeConditionVariable
    KERNEL32:InitOnceExecuteOnce KERNEL32:FlsAlloc KERNEL32:GetFinalPathNameByHandleW
    KERNEL32:CreateSymbolicLinkW KERNEL32:GetUserDefaultLocaleName KERNEL32:LCMapStringEx
    KERNEL32:CompareStringEx KERNEL32:GetLocaleInfoEx KERNEL32:CreateEventExW
    KERNEL32:CreateMutexExW KERNEL32:CreateSemaphoreExW KERNEL32:InitializeCriticalSectionEx
    KERNEL32:GetFileInformationByHandleEx KERNEL32:SetFileInformationByHandle
    KERNEL32:QueryFullProcessImageNameW KERNEL32:GetErrorMode KERNEL32:SetThreadErrorMode
    KERNEL32:CancelIoEx KERNEL32:GetThreadId COMCTL32:TaskDialogIndirect
    SHELL32:SHGetKnownFolderPath USER32:ChangeWindowMessageFilter USER32:SetProcessDPIAware
    USER32:SetProcessDpiAwarenessContext USER32:GetDpiForWindow USER32:DwmGetDxSharedSurface
    KERNEL32:GetSystemTimePreciseAsFileTime KERNEL32:PowerSetRequest KERNEL32:CreateFile2)
  string(REGEX REPLACE ".*:" "" function "${import}")
  list(APPEND PLANTED_CASES
    "newer-${function}|IMPORT|${import}|imports functions that Windows XP lacks: ${function}")
endforeach()
