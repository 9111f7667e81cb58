; What the setup program and the uninstaller know about a simulator folder, and
; the file steps they take in it. Every step either happens whole or not at all
; and says why it failed, so that the callers can undo what went before.

; Our ZURU.EXE is told from the simulator's compiler by the strings of its
; version record, OUR_PRODUCT and OUR_COMPANY (defined by the build, from the
; same place as ZURU.EXE's), never by its size or date.
!macro ZURU_FOLDER_FUNCTIONS UN

; $R0 = path, $R1 = name of a string in the US English block of the version
; record -> $R2 = its text, "" when the file has none.
Function ${UN}VersionString
  Push $0
  Push $1
  Push $2
  Push $3
  StrCpy $R2 ""
  System::Call 'version::GetFileVersionInfoSizeW(w R0, *i 0) i .r0'
  ${If} $0 > 0
    System::Alloc $0
    Pop $1
    System::Call 'version::GetFileVersionInfoW(w R0, i 0, i r0, p r1) i .r2'
    ${If} $2 <> 0
      System::Call 'version::VerQueryValueW(p r1, w "\StringFileInfo\040904b0\$R1", *p .r2, *i .r3) i .r0'
      ${If} $0 <> 0
      ${AndIf} $3 > 0
        System::Call '*$2(&w$3 .R2)'
      ${EndIf}
    ${EndIf}
    System::Free $1
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; $R0 = path -> $R3 = "missing", "unreadable" (in use by another program),
; "ours" (with $R4 = our product version) or "other".
Function ${UN}FileKind
  Push $0
  StrCpy $R4 ""
  ${IfNot} ${FileExists} $R0
    StrCpy $R3 missing
  ${Else}
    ClearErrors
    FileOpen $0 $R0 r
    ${If} ${Errors}
      StrCpy $R3 unreadable
    ${Else}
      FileClose $0
      StrCpy $R3 other
      StrCpy $R1 ProductName
      Call ${UN}VersionString
      ${If} $R2 == "${OUR_PRODUCT}"
        StrCpy $R1 CompanyName
        Call ${UN}VersionString
        ${If} $R2 == "${OUR_COMPANY}"
          StrCpy $R3 ours
          StrCpy $R1 ProductVersion
          Call ${UN}VersionString
          StrCpy $R4 $R2
        ${EndIf}
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $0
FunctionEnd

; Sets $ZuruKind, $ZuruVersion and $Zuru2Kind for the folder $INSTDIR.
Function ${UN}ReadFolder
  StrCpy $R0 "$INSTDIR\ZURU.EXE"
  Call ${UN}FileKind
  StrCpy $ZuruKind $R3
  StrCpy $ZuruVersion $R4
  StrCpy $R0 "$INSTDIR\zuru2.exe"
  Call ${UN}FileKind
  StrCpy $Zuru2Kind $R3
FunctionEnd

; Brings a folder that a run of ours left half done (killed, or cut by a power
; failure, between two of its renames) back to a whole state, before anything
; else looks at it. The temporary names are ours alone, and the compiler is only
; ever renamed: it is ZURU.EXE, zuru2.exe, or (when a run stopped between two
; renames) it is zuru2.exe with no ZURU.EXE at all. Each step here is a rename
; back or the removal of a temporary file of ours; what was done is added to
; $Recovered. $RecoveredUninstall is 1 when an uninstallation had put the
; compiler back already and only its leftovers were cleared.
Function ${UN}Recover
  StrCpy $RecoveredUninstall 0
  ${IfNot} ${FileExists} "$INSTDIR\ZURU.EXE"
  ${AndIf} ${FileExists} "$INSTDIR\zuru2.exe"
    StrCpy $R0 "$INSTDIR\${OLD_ZURU}"
    Call ${UN}FileKind
    ${If} $R3 == ours
      ; An upgrade or an uninstallation had set our ZURU.EXE aside.
      StrCpy $R1 "$INSTDIR\ZURU.EXE"
      Call ${UN}Rename
      ${If} $R2 == ""
        StrCpy $Recovered "$Recovered$\r$\nA run cut short had set our ZURU.EXE aside as ${OLD_ZURU}: it is ZURU.EXE again."
      ${EndIf}
    ${ElseIf} ${FileExists} "$INSTDIR\${NEW_ZURU}"
    ${OrIf} ${FileExists} "$INSTDIR\${NEW_UNINST}"
    ${OrIf} ${FileExists} "$INSTDIR\${OLD_UNINST}"
      ; An installation had renamed the compiler, but not yet put ours in its place.
      StrCpy $R0 "$INSTDIR\zuru2.exe"
      StrCpy $R1 "$INSTDIR\ZURU.EXE"
      Call ${UN}Rename
      ${If} $R2 == ""
        StrCpy $Recovered "$Recovered$\r$\nAn installation cut short had renamed the simulator's compiler to zuru2.exe: it is ZURU.EXE again."
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ; The uninstaller an installation had set aside.
  ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
  ${AndIf} ${FileExists} "$INSTDIR\${OLD_UNINST}"
    StrCpy $R0 "$INSTDIR\${OLD_UNINST}"
    StrCpy $R1 "$INSTDIR\${UNINSTALLER}"
    Call ${UN}Rename
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
  ${AndIf} ${FileExists} "$INSTDIR\${OLD_UNINST}"
    StrCpy $R0 "$INSTDIR\${OLD_UNINST}"
    Call ${UN}DeleteFile
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${NEW_UNINST}"
    StrCpy $R0 "$INSTDIR\${NEW_UNINST}"
    Call ${UN}DeleteFile
  ${EndIf}
  ; Our build set aside, with ZURU.EXE whole again: the old one of an upgrade
  ; that had finished its renames, or ours after an uninstallation that had
  ; put the compiler back.
  ${If} ${FileExists} "$INSTDIR\ZURU.EXE"
    StrCpy $R0 "$INSTDIR\${OLD_ZURU}"
    Call ${UN}FileKind
    ${If} $R3 == ours
      ${IfNot} ${FileExists} "$INSTDIR\zuru2.exe"
        StrCpy $RecoveredUninstall 1
        StrCpy $Recovered "$Recovered$\r$\nAn uninstallation cut short had put the simulator's compiler back as ZURU.EXE; its last step is done now."
      ${EndIf}
      Call ${UN}DeleteFile
    ${EndIf}
  ${EndIf}
  ; A copy of ours on its way in; the setup program copies over it anyway.
  !if "${UN}" == "un."
    ${If} ${FileExists} "$INSTDIR\${NEW_ZURU}"
      StrCpy $R0 "$INSTDIR\${NEW_ZURU}"
      Call un.DeleteFile
    ${EndIf}
  !endif
FunctionEnd

; $R0 = a folder -> $R1 = the folder as its entry in Programs and Features
; names it (the full path, long names, no trailing backslash) and $R2 = the key
; of that entry: ENTRY_KEY_PREFIX and 16 hex digits of the MD5 of the folder's
; name in capitals, so that every spelling of one folder (its case, a trailing
; backslash, a short name) gives the same key; "" when Windows could not hash.
Function ${UN}FolderEntry
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $R1 $R0
  System::Call 'kernel32::GetFullPathNameW(w R0, i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r0'
  ${If} $0 > 0
  ${AndIf} $0 < ${NSIS_MAX_STRLEN}
    StrCpy $R1 $1
  ${EndIf}
  System::Call 'kernel32::GetLongPathNameW(w R1, w .r1, i ${NSIS_MAX_STRLEN}) i .r0'
  ${If} $0 > 0
  ${AndIf} $0 < ${NSIS_MAX_STRLEN}
    StrCpy $R1 $1
  ${EndIf}
  ${Do}
    StrCpy $0 $R1 1 -1
    ${If} $0 != "\"
      ${ExitDo}
    ${EndIf}
    StrCpy $R1 $R1 -1
  ${Loop}
  StrCpy $R2 ""
  ; Capitals whatever the user's language (LOCALE_INVARIANT, LCMAP_UPPERCASE),
  ; as the file system compares names.
  System::Call 'kernel32::LCMapStringW(i 0x7F, i 0x200, w R1, i -1, w .r1, i ${NSIS_MAX_STRLEN}) i .r0'
  ${If} $0 > 0
    StrLen $2 $1
    IntOp $2 $2 * 2
    ; PROV_RSA_FULL, CRYPT_VERIFYCONTEXT; CALG_MD5; HP_HASHVAL
    System::Call 'advapi32::CryptAcquireContextW(*p .r3, p 0, p 0, i 1, i 0xF0000000) i .r0'
    ${If} $0 <> 0
      System::Call 'advapi32::CryptCreateHash(p r3, i 0x8003, p 0, i 0, *p .r4) i .r0'
      ${If} $0 <> 0
        System::Call 'advapi32::CryptHashData(p r4, w r1, i r2, i 0) i .r0'
        ${If} $0 <> 0
          System::Call '*(i, i, i, i) p .r2'
          System::Call 'advapi32::CryptGetHashParam(p r4, i 2, p r2, *i 16, i 0) i .r0'
          ${If} $0 <> 0
            System::Call '*$2(i .r0, i .r1)'
            IntFmt $0 "%08X" $0
            IntFmt $1 "%08X" $1
            StrCpy $R2 "${ENTRY_KEY_PREFIX}$0$1"
          ${EndIf}
          System::Free $2
        ${EndIf}
        System::Call 'advapi32::CryptDestroyHash(p r4)'
      ${EndIf}
      System::Call 'advapi32::CryptReleaseContext(p r3, i 0)'
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Sets $Folder and $EntryKey for $INSTDIR, or ends the run before it changes anything.
Function ${UN}FindEntry
  StrCpy $R0 $INSTDIR
  Call ${UN}FolderEntry
  StrCpy $Folder $R1
  StrCpy $EntryKey $R2
  ${If} $EntryKey == ""
    !insertmacro ZURU_FAIL ${REFUSED} "Windows could not work out the name of the entry in Programs and Features for $INSTDIR (its hashing service failed).$\r$\n$\r$\nNothing was changed."
  ${EndIf}
FunctionEnd

; $R0 = a folder or "" -> $R3 = 1 when it is $INSTDIR, however spelled, else 0.
Function ${UN}IsThisFolder
  StrCpy $R3 0
  ${If} $R0 != ""
    Call ${UN}FolderEntry
    ${If} $R2 == $EntryKey
      StrCpy $R3 1
    ${EndIf}
  ${EndIf}
FunctionEnd

; The one entry of an earlier version goes when it names this folder: this
; folder's own entry has taken its place. Another folder's stays.
Function ${UN}ForgetFolder
  ReadRegStr $R0 HKLM "${SHARED_ENTRY_KEY}" "InstallLocation"
  Call ${UN}IsThisFolder
  ${If} $R3 == 1
    DeleteRegKey HKLM "${SHARED_ENTRY_KEY}"
  ${EndIf}
FunctionEnd

; $0 = a Windows error code -> $R2 = its text.
Function ${UN}ErrorText
  StrCpy $R2 ""
  System::Call 'kernel32::FormatMessageW(i 0x1200, p 0, i r0, i 0, w .R2, i ${NSIS_MAX_STRLEN}, p 0) i .r1'
  ; The system's texts end with a line break.
  ${Do}
    StrCpy $1 $R2 1 -1
    ${If} $1 == "$\n"
    ${OrIf} $1 == "$\r"
    ${OrIf} $1 == " "
      StrCpy $R2 $R2 -1
    ${Else}
      ${ExitDo}
    ${EndIf}
  ${Loop}
  ${If} $R2 == ""
    StrCpy $R2 "Windows error $0."
  ${EndIf}
FunctionEnd

; $R0 = from, $R1 = to, which must not exist. A rename in one folder: it
; writes no data and cannot leave a half-written file.
; -> $R2 = "" or why it failed.
Function ${UN}Rename
  Push $0
  Push $1
  StrCpy $R2 ""
  System::Call 'kernel32::MoveFileW(w R0, w R1) i .r1 ?e'
  Pop $0
  ${If} $1 == 0
    Call ${UN}ErrorText
    StrCpy $R2 "Could not rename $R0 to $R1: $R2"
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; $R0 = path; deletes it, read-only or not. -> $R2 = "" or why it failed.
Function ${UN}DeleteFile
  Push $0
  Push $1
  StrCpy $R2 ""
  System::Call 'kernel32::SetFileAttributesW(w R0, i 0x80) i .r1'
  System::Call 'kernel32::DeleteFileW(w R0) i .r1 ?e'
  Pop $0
  ${If} $1 == 0
    Call ${UN}ErrorText
    StrCpy $R2 "Could not delete $R0: $R2"
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; $R0 = how to undo a step that has just succeeded: "FROM>TO" renames
; $INSTDIR\FROM back to $INSTDIR\TO, "-NAME" deletes $INSTDIR\NAME. Kept in
; $UndoList, newest first.
Function ${UN}RecordUndo
  StrCpy $UndoList "$R0|$UndoList"
FunctionEnd

; Undoes the steps in $UndoList, newest first, and empties it; what could not
; be undone is added to $Undo. $R0 to $R2 are kept.
Function ${UN}RollBack
  Push $R0
  Push $R1
  Push $R2
  Push $0
  Push $1
  Push $2
  ${DoUntil} $UndoList == ""
    ; The newest step: up to the first "|".
    StrCpy $1 0
    ${Do}
      StrCpy $2 $UndoList 1 $1
      ${If} $2 == "|"
      ${OrIf} $2 == ""
        ${ExitDo}
      ${EndIf}
      IntOp $1 $1 + 1
    ${Loop}
    StrCpy $0 $UndoList $1
    IntOp $1 $1 + 1
    StrCpy $UndoList $UndoList "" $1
    StrCpy $2 $0 1
    ${If} $2 == "-"
      StrCpy $0 $0 "" 1
      StrCpy $R0 "$INSTDIR\$0"
      Call ${UN}DeleteFile
    ${Else}
      ; FROM>TO
      StrCpy $1 0
      ${Do}
        StrCpy $2 $0 1 $1
        ${If} $2 == ">"
          ${ExitDo}
        ${EndIf}
        IntOp $1 $1 + 1
      ${Loop}
      StrCpy $R0 $0 $1
      StrCpy $R0 "$INSTDIR\$R0"
      IntOp $1 $1 + 1
      StrCpy $R1 $0 "" $1
      StrCpy $R1 "$INSTDIR\$R1"
      Call ${UN}Rename
    ${EndIf}
    ${If} $R2 != ""
      StrCpy $Undo "$Undo$\r$\n$R2"
    ${EndIf}
  ${Loop}
  Pop $2
  Pop $1
  Pop $0
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

!macroend

; $R0 = from, $R1 = to; copies, replacing a file of ours left over at $R1, and
; makes the copy durable: a rename can reach the disk before the data written
; ahead of it, and a power failure would then leave a file of zeros in place.
; -> $R2 = "" or why it failed (a partial copy is removed).
Function CopyIn
  Push $0
  Push $1
  Push $2
  StrCpy $R2 ""
  System::Call 'kernel32::CopyFileW(w R0, w R1, i 0) i .r1 ?e'
  Pop $0
  ${If} $1 <> 0
    ; GENERIC_WRITE, no sharing, OPEN_EXISTING
    System::Call 'kernel32::CreateFileW(w R1, i 0x40000000, i 0, p 0, i 3, i 0x80, p 0) p .r2 ?e'
    Pop $0
    ${If} $2 = -1
      StrCpy $1 0
    ${Else}
      System::Call 'kernel32::FlushFileBuffers(p r2) i .r1 ?e'
      Pop $0
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${EndIf}
  ${If} $1 == 0
    Call ErrorText
    StrCpy $R2 "Could not copy to $R1: $R2"
    Delete $R1
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Renames $INSTDIR\FROM to $INSTDIR\TO, or jumps to FAILED with the reason in $R2.
!macro ZURU_RENAME UN FROM TO FAILED
  StrCpy $R0 "$INSTDIR\${FROM}"
  StrCpy $R1 "$INSTDIR\${TO}"
  Call ${UN}Rename
  StrCmp $R2 "" 0 ${FAILED}
!macroend

; A step of a run: renames $INSTDIR\FROM to $INSTDIR\TO and records how to
; undo it, or jumps to FAILED with the reason in $R2.
!macro ZURU_STEP_RENAME UN FROM TO FAILED
  !insertmacro ZURU_RENAME "${UN}" "${FROM}" "${TO}" ${FAILED}
  StrCpy $R0 "${TO}>${FROM}"
  Call ${UN}RecordUndo
!macroend

; Copies the text NAME from the temporary folder into $INSTDIR under its own
; name, or jumps to FAILED with the reason in $R2. A copy that an earlier run of
; ours left there is replaced (these names are ours); one that was not there
; before goes again when a later step fails.
!macro ZURU_COPY_TEXT NAME FAILED
  StrCpy $R0 "$PLUGINSDIR\${NAME}"
  StrCpy $R1 "$INSTDIR\${NAME}"
  StrCpy $R3 1
  ${If} ${FileExists} $R1
    StrCpy $R3 0
  ${EndIf}
  Call CopyIn
  StrCmp $R2 "" 0 ${FAILED}
  ${If} $R3 == 1
    StrCpy $R0 "-${NAME}"
    Call RecordUndo
  ${EndIf}
!macroend

; Tells the user (a message box, or only the log in silent mode) and ends with
; the exit code.
!macro ZURU_FAIL CODE TEXT
  DetailPrint "${TEXT}"
  MessageBox MB_OK|MB_ICONEXCLAMATION "${TEXT}" /SD IDOK
  SetErrorLevel ${CODE}
  Abort
!macroend
