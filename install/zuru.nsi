; The setup program of ZURU Adventure Options: puts our ZURU.EXE in place of the
; simulator's adventure compiler, which it keeps as zuru2.exe; upgrades or
; repairs ours; and an uninstaller that puts the compiler back. Each simulator
; folder has its own uninstaller and its own entry in Programs and Features, so
; that two simulators on one machine are installed and uninstalled each on its own.
;
;   makensis -DZURU_EXE=<our ZURU.EXE> -DOUTFILE=<setup.exe> -DVERSION=<4.20>
;            -DOUR_PRODUCT=<product name> -DOUR_COMPANY=<company name>
;            -DOUR_COPYRIGHT=<copyright line> -DLICENSE_TXT=<LICENSE, CRLF>
;            -DNOTICES_TXT=<NOTICES, CRLF> install/zuru.nsi
; The version, the two names and the copyright line come from CMakeLists.txt,
; as ZURU.EXE's do; install/make-setup.sh passes them all.
;
; Silent: setup.exe /S /D=<folder>, uninstaller /S [/REMOVEOPTIONS].
; Exit codes: 0 done; 1 cancelled; 2 the folder's state was refused, nothing
; changed; 3 a file could not be copied, renamed or deleted, nothing changed.

Unicode true
; The tests' 64-bit build of the setup program (for machines that run no 32-bit
; programs); the setup program we ship is the 32-bit one.
!ifdef TARGET_AMD64
  Target amd64-unicode
!endif
ManifestSupportedOS all
ManifestDPIAware true
; A simulator folder is often under Program Files.
RequestExecutionLevel admin
SetCompressor /SOLID lzma

; With SIGN_COMMAND (a command that signs the file it is given), the
; uninstaller is signed as it is written into the setup program.
!ifdef SIGN_COMMAND
  !uninstfinalize '"${SIGN_COMMAND}" "%1"'
!endif

!ifndef ZURU_EXE | OUTFILE | VERSION | OUR_PRODUCT | OUR_COMPANY | OUR_COPYRIGHT | LICENSE_TXT | NOTICES_TXT
  !error "define ZURU_EXE (our ZURU.EXE), OUTFILE (the setup program to make), VERSION, OUR_PRODUCT, OUR_COMPANY, OUR_COPYRIGHT, LICENSE_TXT and NOTICES_TXT"
!endif

!define UNINSTALLER "zuru-uninstall.exe"
; The licence and the notices of what is built into ZURU.EXE and this program,
; installed beside them under names of ours, as the uninstaller's is: the
; simulator's folder holds the simulator's own texts too.
!define LICENSE_NAME "zuru-license.txt"
!define NOTICES_NAME "zuru-notices.txt"
; Each simulator folder has its own entry in Programs and Features: its key is
; ENTRY_KEY_PREFIX and a hash of the folder's name (FolderEntry in files.nsh).
!define ENTRY_KEY_PREFIX "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZURU Adventure Options "
; Earlier versions kept one entry for every folder, under this key.
!define SHARED_ENTRY_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZURU Adventure Options"
; The folder installed into last, which the folder page suggests.
!define SETUP_KEY "Software\Ostrelle\ZURU Setup"
!define OPTIONS_KEY "Software\Ostrelle\ZURU"
; Our names for files on their way in or out; never the compiler's.
!define NEW_ZURU "ZURU.EXE.setup-new"
!define OLD_ZURU "ZURU.EXE.setup-old"
!define NEW_UNINST "${UNINSTALLER}.setup-new"
!define OLD_UNINST "${UNINSTALLER}.setup-old"
!define REFUSED 2
!define FAILED 3

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include files.nsh

Name "${OUR_PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; No InstallDir: .onInit suggests a folder when neither /D= nor the last folder gives one.
InstallDirRegKey HKLM "${SETUP_KEY}" "LastFolder"
BrandingText "${OUR_PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${OUR_PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileDescription" "Setup of ${OUR_PRODUCT} ${VERSION}: installs, upgrades and uninstalls ZURU.EXE"
VIAddVersionKey /LANG=1033 "CompanyName" "${OUR_COMPANY}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${OUR_COPYRIGHT}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "zuru-${VERSION}-setup.exe"

Var ZuruKind     ; of ZURU.EXE: missing, unreadable, ours or other
Var ZuruVersion  ; our product version in ZURU.EXE, when it is ours
Var Zuru2Kind    ; of zuru2.exe
Var Plan         ; fresh (the compiler becomes zuru2.exe) or upgrade
Var Refusal      ; why the folder is not one to install into
Var UndoList     ; how to undo the steps done so far, newest first
Var HadUninstaller
Var Undo         ; what could not be undone
Var FinishText
Var Recovered    ; what was done to a folder that a run cut short had left
Var RecoveredUninstall
Var RunningUser  ; the account the uninstaller runs as
Var Folder       ; $INSTDIR as its entry names it
Var EntryKey     ; the key of its entry in Programs and Features
Var HadEntry     ; 1 when the folder had its entry before this run

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This installs ZURU Adventure Options ${VERSION} into your simulator's folder.$\r$\n$\r$\nThe simulator's own ZURU.EXE, its adventure compiler, is kept as zuru2.exe: ZURU Adventure Options takes its name and hands each adventure on to it. Nothing of the compiler is changed.$\r$\n$\r$\nClose the simulator and Velmora before you continue."
!insertmacro MUI_PAGE_WELCOME

!define MUI_PAGE_HEADER_TEXT "Choose your simulator's folder"
!define MUI_PAGE_HEADER_SUBTEXT "The folder that holds the simulator's ZURU.EXE."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Choose your simulator's folder: the one that holds the simulator's ZURU.EXE (its adventure compiler). To upgrade or repair, choose the folder you installed into before."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Simulator folder (with ZURU.EXE)"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FolderPageLeave
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES

!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Our ZURU.EXE is removed and zuru2.exe becomes the simulator's ZURU.EXE again; quirtel.ini and patch.exe stay. Tick the box to delete the stored options too: the registry key HKEY_CURRENT_USER\${OPTIONS_KEY} of the Windows account that the uninstaller runs as, $RunningUser, nothing else. If Windows asked for another account's password to run it, that account's options are the ones deleted, not yours."
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!insertmacro ZURU_FOLDER_FUNCTIONS ""
!insertmacro ZURU_FOLDER_FUNCTIONS "un."

; Sets $Plan, or $Refusal with what was found and what the user can do.
Function CheckFolder
  StrCpy $Plan ""
  StrCpy $Refusal ""
  Call Recover
  Call ReadFolder
  ${If} $ZuruKind == missing
    StrCpy $Refusal "There is no ZURU.EXE in $INSTDIR.$\r$\n$\r$\nChoose the simulator's folder: the one that holds the simulator's ZURU.EXE, its adventure compiler."
  ${ElseIf} $ZuruKind == unreadable
    StrCpy $Refusal "ZURU.EXE in $INSTDIR cannot be read: another program is using it.$\r$\n$\r$\nClose the simulator and Velmora, then try again."
  ${ElseIf} $Zuru2Kind == unreadable
    StrCpy $Refusal "zuru2.exe in $INSTDIR cannot be read: another program is using it.$\r$\n$\r$\nClose the simulator and Velmora, then try again."
  ${ElseIf} $ZuruKind == other
    ${If} $Zuru2Kind == missing
      StrCpy $Plan fresh
    ${ElseIf} $Zuru2Kind == ours
      StrCpy $Refusal "In $INSTDIR, ZURU.EXE is the simulator's compiler, but zuru2.exe is a copy of ZURU Adventure Options.$\r$\n$\r$\nSetup changes nothing. Delete zuru2.exe (it is not the compiler), then run Setup again."
    ${Else}
      StrCpy $Refusal "In $INSTDIR there are a ZURU.EXE that is not ZURU Adventure Options and a zuru2.exe. Setup cannot tell which of the two is the simulator's compiler, so it changes nothing and neither file is lost.$\r$\n$\r$\nCheck both files (Properties, Details): ours names the product ${OUR_PRODUCT} and the company ${OUR_COMPANY}. If the simulator restored its compiler as ZURU.EXE, zuru2.exe is an older copy of it. If ZURU.EXE is a damaged or unknown file, the compiler is most likely zuru2.exe: repair the simulator, or ask its maker which file to keep. Then run Setup again."
    ${EndIf}
  ${ElseIf} $Zuru2Kind == missing
    StrCpy $Refusal "ZURU.EXE in $INSTDIR is already ZURU Adventure Options, but zuru2.exe, the simulator's compiler, is missing.$\r$\n$\r$\nSetup changes nothing. Restore the simulator's ZURU.EXE (for example by repairing the simulator), then run Setup again."
  ${ElseIf} $Zuru2Kind == ours
    StrCpy $Refusal "In $INSTDIR, both ZURU.EXE and zuru2.exe are ZURU Adventure Options: the simulator's compiler is missing.$\r$\n$\r$\nSetup changes nothing. Delete zuru2.exe, restore the simulator's ZURU.EXE (for example by repairing the simulator), then run Setup again."
  ${Else}
    ${VersionCompare} $ZuruVersion "${VERSION}" $0
    ${If} $0 == 1
      StrCpy $Refusal "ZURU.EXE in $INSTDIR is ZURU Adventure Options $ZuruVersion, newer than this setup program (${VERSION}).$\r$\n$\r$\nSetup changes nothing."
    ${Else}
      StrCpy $Plan upgrade
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  InitPluginsDir
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR HKLM "${SHARED_ENTRY_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR "$PROGRAMFILES"
  ${EndIf}
FunctionEnd

; The page stays until the folder is one to install into.
Function FolderPageLeave
  Call CheckFolder
  ${If} $Refusal != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION $Refusal
    Abort
  ${EndIf}
FunctionEnd

Section "Install"
  Call CheckFolder
  ${If} $Recovered != ""
    DetailPrint "Setup found the folder as a run cut short had left it, and put it right first:$Recovered"
  ${EndIf}
  ${If} $Refusal != ""
    !insertmacro ZURU_FAIL ${REFUSED} $Refusal
  ${EndIf}
  Call FindEntry
  ${If} $Plan == fresh
    DetailPrint "ZURU.EXE in $INSTDIR is the simulator's compiler: it becomes zuru2.exe."
  ${Else}
    DetailPrint "ZURU.EXE in $INSTDIR is ZURU Adventure Options $ZuruVersion: it is replaced; zuru2.exe stays as it is."
  ${EndIf}

  ; Unpacked outside the simulator folder first: a write error there (a full
  ; disk) must not stop the setup program before it has cleaned up.
  ; Both are checked: in a silent run a failed write is skipped with only the
  ; error flag set, and a half-written file must never reach the folder.
  ClearErrors
  File "/oname=$PLUGINSDIR\ZURU.EXE" "${ZURU_EXE}"
  File "/oname=$PLUGINSDIR\${LICENSE_NAME}" "${LICENSE_TXT}"
  File "/oname=$PLUGINSDIR\${NOTICES_NAME}" "${NOTICES_TXT}"
  ${IfNot} ${Errors}
    WriteUninstaller "$PLUGINSDIR\${UNINSTALLER}"
  ${EndIf}
  ${If} ${Errors}
    !insertmacro ZURU_FAIL ${FAILED} "Could not unpack ZURU.EXE, its texts and the uninstaller into the temporary folder $PLUGINSDIR (is its disk full?).$\r$\n$\r$\nNothing was changed: the folder is as it was."
  ${EndIf}

  ; Our files go in under temporary names; then only renames. Each step that
  ; succeeds records how to undo it, and a failure undoes them newest first.
  StrCpy $UndoList ""
  StrCpy $R0 "$PLUGINSDIR\ZURU.EXE"
  StrCpy $R1 "$INSTDIR\${NEW_ZURU}"
  Call CopyIn
  StrCmp $R2 "" 0 failed
  StrCpy $R0 "-${NEW_ZURU}"
  Call RecordUndo
  StrCpy $R0 "$PLUGINSDIR\${UNINSTALLER}"
  StrCpy $R1 "$INSTDIR\${NEW_UNINST}"
  Call CopyIn
  StrCmp $R2 "" 0 failed
  StrCpy $R0 "-${NEW_UNINST}"
  Call RecordUndo
  !insertmacro ZURU_COPY_TEXT ${LICENSE_NAME} failed
  !insertmacro ZURU_COPY_TEXT ${NOTICES_NAME} failed
  StrCpy $HadUninstaller 0
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    StrCpy $HadUninstaller 1
    !insertmacro ZURU_STEP_RENAME "" "${UNINSTALLER}" "${OLD_UNINST}" failed
  ${EndIf}
  !insertmacro ZURU_STEP_RENAME "" "${NEW_UNINST}" "${UNINSTALLER}" failed
  ${If} $Plan == fresh
    !insertmacro ZURU_STEP_RENAME "" "ZURU.EXE" "zuru2.exe" failed
  ${Else}
    !insertmacro ZURU_STEP_RENAME "" "ZURU.EXE" "${OLD_ZURU}" failed
  ${EndIf}
  !insertmacro ZURU_STEP_RENAME "" "${NEW_ZURU}" "ZURU.EXE" failed

  ; The folder's entry in "Programs and Features". The size first: GetSize
  ; clears the error flag, which must tell about every write of the entry.
  ${GetSize} "$INSTDIR" "/M=ZURU.EXE /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=${UNINSTALLER} /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  ${GetSize} "$INSTDIR" "/M=${LICENSE_NAME} /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  ${GetSize} "$INSTDIR" "/M=${NOTICES_NAME} /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  StrCpy $HadEntry 0
  ClearErrors
  EnumRegValue $1 HKLM $EntryKey 0
  ${IfNot} ${Errors}
    StrCpy $HadEntry 1
  ${EndIf}
  ClearErrors
  WriteRegStr HKLM $EntryKey "DisplayName" "${OUR_PRODUCT} ${VERSION} ($Folder)"
  WriteRegStr HKLM $EntryKey "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM $EntryKey "Publisher" "${OUR_COMPANY}"
  WriteRegStr HKLM $EntryKey "InstallLocation" "$Folder"
  WriteRegStr HKLM $EntryKey "DisplayIcon" "$Folder\ZURU.EXE,0"
  WriteRegStr HKLM $EntryKey "UninstallString" '"$Folder\${UNINSTALLER}"'
  WriteRegStr HKLM $EntryKey "QuietUninstallString" '"$Folder\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM $EntryKey "NoModify" 1
  WriteRegDWORD HKLM $EntryKey "NoRepair" 1
  WriteRegDWORD HKLM $EntryKey "EstimatedSize" $0
  ${If} ${Errors}
    StrCpy $R2 "Could not write the entry in Programs and Features."
    ${If} $HadEntry == 0
      DeleteRegKey HKLM $EntryKey
    ${EndIf}
    Goto failed
  ${EndIf}
  ; This folder's entry replaces an earlier version's one for it; the folder
  ; page suggests this folder next time.
  Call ForgetFolder
  WriteRegStr HKLM "${SETUP_KEY}" "LastFolder" "$Folder"

  ; What was replaced; if a file of ours cannot go now, it goes at the next start.
  ${If} $HadUninstaller == 1
    Delete /REBOOTOK "$INSTDIR\${OLD_UNINST}"
  ${EndIf}
  ${If} $Plan == upgrade
    StrCpy $R0 "$INSTDIR\${OLD_ZURU}"
    Call DeleteFile
    ${If} $R2 != ""
      Delete /REBOOTOK "$INSTDIR\${OLD_ZURU}"
    ${EndIf}
  ${EndIf}

  StrCpy $FinishText "ZURU Adventure Options ${VERSION} is installed in $INSTDIR. The simulator's compiler is zuru2.exe there.$\r$\n$\r$\nCreate an adventure in Velmora as usual: the options dialog appears."
  ${IfNot} ${FileExists} "$INSTDIR\patch.exe"
    StrCpy $FinishText "$FinishText$\r$\n$\r$\nThere is no patch.exe in that folder: $\"Use Quirtel$\" needs patch.exe beside ZURU.EXE. Until you put it there, leave $\"Use Quirtel$\" off."
    DetailPrint "Note: there is no patch.exe beside ZURU.EXE; $\"Use Quirtel$\" needs it."
  ${EndIf}
  DetailPrint "Done."
  Return

failed:
  StrCpy $Undo ""
  Call RollBack
  ${If} $Undo == ""
    StrCpy $R2 "$R2$\r$\n$\r$\nNothing was changed: the folder is as it was."
  ${Else}
    StrCpy $R2 "$R2$\r$\n$\r$\nSetup could not undo everything:$Undo$\r$\nNothing was deleted: the simulator's compiler is ZURU.EXE or zuru2.exe."
  ${EndIf}
  !insertmacro ZURU_FAIL ${FAILED} $R2
SectionEnd

; The uninstaller

Section "-un.Restore the compiler"
  Call un.FindEntry
  Call un.Recover
  ${If} $Recovered != ""
    DetailPrint "The uninstaller found the folder as a run cut short had left it, and put it right first:$Recovered"
  ${EndIf}
  ${If} $RecoveredUninstall == 1
    Goto remove_entry
  ${EndIf}
  Call un.ReadFolder
  ${If} $ZuruKind == unreadable
  ${OrIf} $Zuru2Kind == unreadable
    !insertmacro ZURU_FAIL ${REFUSED} "ZURU.EXE or zuru2.exe in $INSTDIR cannot be read: another program is using it.$\r$\n$\r$\nClose the simulator and Velmora, then try again."
  ${EndIf}
  ${If} $ZuruKind != ours
    ; Ours is gone already (the simulator restored its compiler over it): both
    ; files stay as they are; only our entry and the uninstaller may go.
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "ZURU.EXE in $INSTDIR is not ZURU Adventure Options (the simulator may have restored its compiler). ZURU.EXE and zuru2.exe are left as they are.$\r$\n$\r$\nRemove ZURU Adventure Options from Programs and Features all the same?" /SD IDNO IDYES remove_entry
    DetailPrint "ZURU.EXE in $INSTDIR is not ZURU Adventure Options: nothing was changed."
    SetErrorLevel ${REFUSED}
    Abort
  ${EndIf}
  ${If} $Zuru2Kind != other
    !insertmacro ZURU_FAIL ${REFUSED} "ZURU.EXE in $INSTDIR is ZURU Adventure Options, but zuru2.exe, the simulator's compiler, is missing (or is a copy of ours).$\r$\n$\r$\nNothing was changed. Restore the simulator's ZURU.EXE (for example by repairing the simulator), then uninstall again."
  ${EndIf}

  ; Ours aside, the compiler back, then ours deleted; undone if a step fails.
  StrCpy $Undo ""
  StrCpy $UndoList ""
  !insertmacro ZURU_STEP_RENAME "un." "ZURU.EXE" "${OLD_ZURU}" failed
  !insertmacro ZURU_STEP_RENAME "un." "zuru2.exe" "ZURU.EXE" failed
  StrCpy $R0 "$INSTDIR\${OLD_ZURU}"
  Call un.DeleteFile
  StrCmp $R2 "" 0 failed
  DetailPrint "zuru2.exe is the simulator's ZURU.EXE again."

remove_entry:
  DeleteRegKey HKLM $EntryKey
  Call un.ForgetFolder
  ReadRegStr $R0 HKLM "${SETUP_KEY}" "LastFolder"
  Call un.IsThisFolder
  ${If} $R3 == 1
    DeleteRegValue HKLM "${SETUP_KEY}" "LastFolder"
    DeleteRegKey /ifempty HKLM "${SETUP_KEY}"
  ${EndIf}
  Delete "$INSTDIR\${LICENSE_NAME}"
  Delete "$INSTDIR\${NOTICES_NAME}"
  Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
  Return

failed:
  Call un.RollBack
  ${If} $Undo == ""
    StrCpy $R2 "$R2$\r$\n$\r$\nNothing was changed: the folder is as it was."
  ${Else}
    StrCpy $R2 "$R2$\r$\n$\r$\nThe uninstaller could not undo everything:$Undo$\r$\nNothing else was deleted: the simulator's compiler is ZURU.EXE or zuru2.exe."
  ${EndIf}
  !insertmacro ZURU_FAIL ${FAILED} $R2
SectionEnd

; Only ZURU's own key, never the company key: other programs of the same maker
; may keep their settings there.
Section /o "un.Remove my stored options" SecOptions
  DeleteRegKey HKCU "${OPTIONS_KEY}"
SectionEnd

Function un.onInit
  ; Whose options the box deletes: those of the account the uninstaller runs
  ; as, which is not the user's own when another account elevated it.
  System::Call 'advapi32::GetUserNameW(w .r0, *i ${NSIS_MAX_STRLEN}) i .r1'
  ${If} $1 == 0
    StrCpy $0 "(unknown)"
  ${EndIf}
  StrCpy $RunningUser $0
  SectionSetText ${SecOptions} "Remove the stored options of $RunningUser"
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVEOPTIONS" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecOptions} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
