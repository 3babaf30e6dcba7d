; Tessalander's installer: one 32-bit ANSI program for every Windows, from
; Windows 95 and NT 4.0 to 64-bit Windows. It installs the .scr that the
; running Windows needs, makes it the current screen saver, registers an
; uninstaller, puts two entries in a Start-menu folder of its own (its
; settings, and making it the screen saver again), and at the end offers to
; open the display settings.
;
; The release preset (cmake/Release.cmake) builds it with
;   makensis -DVERSION=1.20 -DVERSION4=1.20.0.0 -DSCR_X86=... -DSCR_X64=...
;            -DICON=... -DLICENCE=... -DOUTFILE=... tessalander.nsi
; (LICENCE is the licence text with CRLF line ends, ICON the one that
; resources/make_icon.py draws).
;
; The tests run it under wine64, which executes 64-bit programs only: with
; -DTEST_BUILD the same script makes an amd64-unicode installer. Under wine64
; it always finds 64-bit Windows of the NT family; -DTEST_WINDOWS_32 or
; -DTEST_WINDOWS_9X make such a build act as on 32-bit Windows or on Windows
; 95/98/ME, so that those branches' files and settings are checked too.
;
; Installer switches: /S silent; /ALLUSERS for everyone (the system folder;
; needs administrator rights); /D=FOLDER the per-user folder.
; Uninstaller switches: /S silent; /REMOVESETTINGS also removes the user's
; settings (a silent uninstall keeps them otherwise).

!ifdef TEST_BUILD
  Target amd64-unicode
!else
  Target x86-ansi
!endif

; The same bytes from every build: no file times, one fixed compressor.
SetDateSave off
SetCompressor /SOLID /FINAL lzma

; Per user unless asked: the user's own folders and HKCU are the ones written,
; not those of an administrator who elevates it.
RequestExecutionLevel user

!define PRODUCT "Tessalander"
!define PUBLISHER "The Tessalander authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\QEL\Tessalander"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SCR_NAME "Tessalander.scr"
!define UNINSTALLER "uninstall.exe"
; The Start menu's folder: $SMPROGRAMS follows SetShellVarContext, so it is
; the user's own for a per-user install and everyone's otherwise.
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define SETTINGS_LINK "Tessalander settings.lnk"
!define USE_LINK "Use Tessalander as the screen saver.lnk"
!define ERROR_ELEVATION_REQUIRED 740

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; Chosen in .onInit, by the mode and by an earlier install.
InstallDir ""

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}. MIT License."
VIAddVersionKey /LANG=1033 "OriginalFilename" "${PRODUCT}-${VERSION}-setup.exe"

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include WinVer.nsh
!include x64.nsh

Var Mode        ; user, all (everyone, system folder) or win9x (Windows 95/98/ME)
Var Windows64   ; 1 on 64-bit Windows
Var Use64       ; 1: install the 64-bit .scr
Var DirGiven    ; 1 when /D named the folder
Var ScrFile     ; the installed .scr, its long path
Var ScrShort    ; the same in its short (8.3) form
Var Setting     ; the screen saver setting that names it
Var Rundll32    ; rundll32 and the arguments that make the installed .scr
Var UseArgs     ;   the screen saver and open the display settings with it
Var FinishText
Var ModeMe      ; the install-mode page's radio buttons
Var ModeAll

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
Page custom InstallModePage InstallModeLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipUnlessPerUser
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Set by the install: where a per-user install is found again.
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the display settings with Tessalander selected"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenDisplaySettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; --- Shared by the installer and the uninstaller (UN is "" or "un.") ---

!macro SHARED_FUNCTIONS UN

; Which Windows: $Mode win9x on Windows 95/98/ME; $Windows64 and $Use64.
; Windows on ARM runs the 32-bit file (not every version runs x64 programs).
Function ${UN}DetectWindows
  StrCpy $Windows64 0
  StrCpy $Use64 0
  !ifdef TEST_WINDOWS_9X
    StrCpy $Mode win9x
  !else
    ${IfNot} ${IsNT}
      StrCpy $Mode win9x
      Return
    ${EndIf}
    !ifndef TEST_WINDOWS_32
      !if ${NSIS_PTR_SIZE} > 4
        StrCpy $Windows64 1
      !else
        ${If} ${RunningX64}
          StrCpy $Windows64 1
        ${EndIf}
      !endif
      ${If} $Windows64 == 1
      ${AndIfNot} ${IsNativeARM64}
        StrCpy $Use64 1
      ${EndIf}
    !endif
  !endif
FunctionEnd

; A 32-bit program on 64-bit Windows sees SysWOW64 as System32 unless the
; redirection is off; the 64-bit file belongs in the real System32.
Function ${UN}RedirectionOff
  !if ${NSIS_PTR_SIZE} <= 4
    ${If} $Windows64 == 1
      ${DisableX64FSRedirection}
    ${EndIf}
  !endif
FunctionEnd

Function ${UN}RedirectionOn
  !if ${NSIS_PTR_SIZE} <= 4
    ${If} $Windows64 == 1
      ${EnableX64FSRedirection}
    ${EndIf}
  !endif
FunctionEnd

; $0: the current screen saver setting, "" when there is none. The NT family
; keeps it per user in the registry; Windows 95/98/ME in SYSTEM.INI.
Function ${UN}ReadSaverSetting
  ClearErrors
  ${If} $Mode == win9x
    ReadINIStr $0 "$WINDIR\system.ini" boot SCRNSAVE.EXE
  ${Else}
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
  ${EndIf}
  ClearErrors
FunctionEnd

; Sets the screen saver to $0, or to none when $0 is "".
Function ${UN}WriteSaverSetting
  ${If} $Mode == win9x
    ${If} $0 == ""
      DeleteINIStr "$WINDIR\system.ini" boot SCRNSAVE.EXE
    ${Else}
      WriteINIStr "$WINDIR\system.ini" boot SCRNSAVE.EXE $0
    ${EndIf}
    FlushINI "$WINDIR\system.ini"
  ${ElseIf} $0 == ""
    DeleteRegValue HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE $0
  ${EndIf}
FunctionEnd

; $1: 1 when the setting $0 names the installed .scr, in its long or its
; short form (Windows and other programs write either).
Function ${UN}IsOurSetting
  StrCpy $1 0
  ${If} $0 == ""
    Return
  ${EndIf}
  ${If} $0 == $ScrFile
  ${OrIf} $0 == $ScrShort
    StrCpy $1 1
  ${EndIf}
FunctionEnd

; $0: "Admin" when this process may write the system folder and HKLM.
Function ${UN}AccountType
  UserInfo::GetAccountType
  Pop $0
FunctionEnd

; Starts this program again with administrator rights and the parameters
; $0; the error flag is set when that could not be done (the user refused).
Function ${UN}RelaunchElevated
  ClearErrors
  ExecShell "runas" "$EXEPATH" $0
FunctionEnd

!macroend

!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

; --- The installer ---

; Per user: the user's own program folder, as an earlier install chose it.
Function ModeUser
  StrCpy $Mode user
  SetShellVarContext current
  ${If} $DirGiven != 1
    ReadRegStr $INSTDIR HKCU "${UNINSTALL_KEY}" InstallLocation
    ${If} $INSTDIR == ""
      ; Windows NT 4.0 has no local application data folder.
      ${If} $LOCALAPPDATA != ""
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
      ${Else}
        StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

; For everyone, and on Windows 95/98/ME: the .scr in a folder where the
; display settings list it, the uninstaller in Program Files, HKLM.
Function ModeMachine
  SetShellVarContext all
  ${If} $DirGiven != 1
    StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
  ${EndIf}
FunctionEnd

Function .onInit
  ${If} $INSTDIR != ""
    StrCpy $DirGiven 1
  ${EndIf}
  StrCpy $Mode user
  Call DetectWindows
  ${If} $Mode == win9x
    Call ModeMachine
    Return
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${If} ${Errors}
    Call ModeUser
    Return
  ${EndIf}
  Call AccountType
  ${If} $0 == "Admin"
    StrCpy $Mode all
    Call ModeMachine
    Return
  ${EndIf}
  ${If} ${Silent}
    ; Unattended: fail plainly rather than ask for rights.
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
  ; Asked for on the command line, not from the user: no prompt for rights
  ; here (started again, an elevation that gave none would ask forever).
  MessageBox MB_OK|MB_ICONEXCLAMATION "Installing for everyone needs administrator rights; Tessalander will be installed for you alone."
  Call ModeUser
FunctionEnd

; Started again with administrator rights (/ELEVATED): the welcome, the
; licence and the choice were seen already.
Function SkipWhenElevated
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ELEVATED" $R1
  ${IfNot} ${Errors}
    Abort
  ${EndIf}
FunctionEnd

Function InstallModePage
  ${If} $Mode == win9x
    Abort
  ${EndIf}
  Call SkipWhenElevated
  !insertmacro MUI_HEADER_TEXT "Choose who uses it" "Install Tessalander for yourself or for everyone who uses this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 30u "Installed for you, Tessalander goes into your own program folder and needs no administrator rights. Installed for everyone, it goes into the Windows system folder."
  Pop $0
  ${NSD_CreateRadioButton} 10u 40u -10u 12u "Only for me (recommended)"
  Pop $ModeMe
  ${NSD_CreateRadioButton} 10u 58u -10u 12u "For everyone who uses this computer (needs administrator rights)"
  Pop $ModeAll
  ${If} $Mode == all
    ${NSD_Check} $ModeAll
  ${Else}
    ${NSD_Check} $ModeMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallModeLeave
  ${NSD_GetState} $ModeAll $0
  ${If} $0 != ${BST_CHECKED}
    Call ModeUser
    Return
  ${EndIf}
  Call AccountType
  ${If} $0 == "Admin"
    StrCpy $Mode all
    Call ModeMachine
    Return
  ${EndIf}
  ; Start again with administrator rights, for everyone, and end this one.
  StrCpy $0 "/ALLUSERS /ELEVATED"
  Call RelaunchElevated
  ${IfNot} ${Errors}
    Quit
  ${EndIf}
  MessageBox MB_OK|MB_ICONEXCLAMATION "Tessalander could not get administrator rights. Choose to install it only for you, or ask an administrator."
  Abort
FunctionEnd

Function SkipUnlessPerUser
  ${If} $Mode != user
    Abort
  ${EndIf}
FunctionEnd

; $0: the size of file $0 in bytes (0 when it cannot be read).
Function FileSize
  ClearErrors
  FileOpen $9 $0 r
  ${If} ${Errors}
    StrCpy $0 0
    Return
  ${EndIf}
  FileSeek $9 0 END $0
  FileClose $9
FunctionEnd

; $1: 1 when $0 contains a space.
Function HasSpace
  StrCpy $1 0
  StrLen $2 $0
  ${For} $3 0 $2
    StrCpy $4 $0 1 $3
    ${If} $4 == " "
      StrCpy $1 1
      Return
    ${EndIf}
  ${Next}
FunctionEnd

Section "Tessalander" SectionMain
  SectionIn RO
  SetOutPath $INSTDIR
  ${If} $Mode == user
    StrCpy $R0 $INSTDIR
  ${ElseIf} $Mode == all
    StrCpy $R0 $SYSDIR
  ${Else}
    StrCpy $R0 $WINDIR
  ${EndIf}

  Call RedirectionOff
  SetOutPath $R0
  ${If} $Use64 == 1
    File "/oname=${SCR_NAME}" "${SCR_X64}"
  ${Else}
    File "/oname=${SCR_NAME}" "${SCR_X86}"
  ${EndIf}
  StrCpy $ScrFile "$R0\${SCR_NAME}"
  GetFullPathName /SHORT $ScrShort $ScrFile
  ${If} $ScrShort == ""
    StrCpy $ScrShort $ScrFile
  ${EndIf}
  StrCpy $0 $ScrFile
  Call FileSize
  StrCpy $R1 $0
  Call RedirectionOn
  SetOutPath $INSTDIR

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  StrCpy $0 "$INSTDIR\${UNINSTALLER}"
  Call FileSize
  IntOp $R1 $R1 + $0
  IntOp $R1 $R1 + 1023
  IntOp $R1 $R1 / 1024

  ; Windows runs the screen saver's command line unquoted: a path with
  ; spaces goes in its short form, and Windows 95/98/ME want that form always.
  StrCpy $Setting $ScrFile
  ${If} $Mode == win9x
    StrCpy $Setting $ScrShort
  ${Else}
    StrCpy $0 $ScrFile
    Call HasSpace
    ${If} $1 == 1
      StrCpy $Setting $ScrShort
    ${EndIf}
  ${EndIf}

  ; The setting to restore at uninstall, recorded at the first install only:
  ; an upgrade finds Tessalander already set and must not record it.
  ClearErrors
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" PreviousScreenSaver
  ${If} ${Errors}
    Call ReadSaverSetting
    Call IsOurSetting
    ${If} $1 == 1
      StrCpy $0 ""
    ${EndIf}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" PreviousScreenSaver $0
  ${EndIf}
  StrCpy $0 $Setting
  Call WriteSaverSetting
  DetailPrint "Screen saver: $Setting"

  ; What the .scr's own Install command runs, as the finish page and the
  ; Start menu use it. Windows 95/98/ME keep rundll32 in the Windows folder.
  ${If} $Mode == win9x
    StrCpy $Rundll32 "$WINDIR\rundll32.exe"
    StrCpy $UseArgs "desk.cpl,InstallScreenSaver $Setting"
  ${Else}
    StrCpy $Rundll32 "$SYSDIR\rundll32.exe"
    StrCpy $UseArgs "desk.cpl,InstallScreenSaver $ScrFile"
  ${EndIf}
  Call CreateMenuEntries
  ${If} $Mode == user
    StrCpy $FinishText "Tessalander is installed for you and is now your screen saver. Once you choose another, Windows no longer lists it: to find it again, open the Tessalander folder of the Start menu. $\"Use Tessalander as the screen saver$\" makes it your screen saver again; $\"Tessalander settings$\" opens its settings."
  ${Else}
    StrCpy $FinishText "Tessalander is installed for everyone who uses this computer and is now your screen saver. The Tessalander folder of the Start menu opens its settings and makes it the screen saver again."
  ${EndIf}

  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$ScrFile,0"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $R1
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation $INSTDIR
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
  ; For the uninstaller: what to remove and which setting is ours.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" ScreenSaverFile $ScrFile
  WriteRegStr SHCTX "${UNINSTALL_KEY}" ScreenSaverShortPath $ScrShort
SectionEnd

; Once Windows lists Tessalander no longer (a per-user .scr only while it is
; the one set), the Start menu leads back to it. Created afresh on every
; install, so an upgrade replaces what an earlier one left.
Function CreateMenuEntries
  ${If} $SMPROGRAMS == ""
    DetailPrint "No Start menu folder: no entries"
    Return
  ${EndIf}
  ; The links name the paths that the setting names. For everyone on 64-bit
  ; Windows that is the real System32, which this 32-bit process does not
  ; see but the 64-bit shell that opens the links does. Redirection stays on
  ; all the same: the shell's link code loads libraries as it goes.
  ClearErrors
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${SETTINGS_LINK}" $ScrFile "/c" \
    $ScrFile 0 "" "" "Open Tessalander's settings"
  CreateShortcut "${MENU_FOLDER}\${USE_LINK}" $Rundll32 $UseArgs \
    $ScrFile 0 "" "" "Make Tessalander the screen saver and open the display settings"
  ${If} ${Errors}
    DetailPrint "Could not create the Start menu entries in ${MENU_FOLDER}"
  ${EndIf}
FunctionEnd

; The display settings with Tessalander selected, as the .scr's own Install
; command opens them.
Function OpenDisplaySettings
  ; The 64-bit rundll32 on 64-bit Windows, which sees the real System32.
  Call RedirectionOff
  Exec '"$Rundll32" $UseArgs'
  Call RedirectionOn
FunctionEnd

; --- The uninstaller ---

; Everyone's install when the machine-wide entry names this folder (and
; always on Windows 95/98/ME); otherwise this user's.
Function un.onInit
  StrCpy $Mode user
  Call un.DetectWindows
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallLocation
  ${If} $Mode == win9x
    SetShellVarContext all
    Return
  ${EndIf}
  ${If} $0 != ""
  ${AndIf} $0 == $INSTDIR
    StrCpy $Mode all
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
    Return
  ${EndIf}
  Call un.AccountType
  ${If} $0 == "Admin"
    Return
  ${EndIf}
  ${If} ${Silent}
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
  ; Once only: an elevation that gave no rights would otherwise ask forever.
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/ELEVATED" $2
  ${If} ${Errors}
    ; Keep the settings switch; _?= must come last.
    StrCpy $0 "/ELEVATED _?=$INSTDIR"
    ClearErrors
    ${GetOptions} $1 "/REMOVESETTINGS" $2
    ${IfNot} ${Errors}
      StrCpy $0 "/REMOVESETTINGS $0"
    ${EndIf}
    Call un.RelaunchElevated
    ${IfNot} ${Errors}
      Quit
    ${EndIf}
  ${EndIf}
  MessageBox MB_OK|MB_ICONSTOP "Tessalander was installed for everyone: removing it needs administrator rights."
  Quit
FunctionEnd

Section Uninstall
  ; What the install recorded; without its entry (a second run), what this
  ; folder holds.
  ReadRegStr $ScrFile SHCTX "${UNINSTALL_KEY}" ScreenSaverFile
  ReadRegStr $ScrShort SHCTX "${UNINSTALL_KEY}" ScreenSaverShortPath
  ${If} $ScrFile == ""
    StrCpy $ScrFile "$INSTDIR\${SCR_NAME}"
    StrCpy $ScrShort ""
    ${If} ${FileExists} $ScrFile
      GetFullPathName /SHORT $ScrShort $ScrFile
    ${EndIf}
  ${EndIf}

  ; The screen saver goes back to what it was, if it is still Tessalander.
  Call un.ReadSaverSetting
  Call un.IsOurSetting
  ${If} $1 == 1
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" PreviousScreenSaver
    Call un.WriteSaverSetting
    DetailPrint "Screen saver: $0"
  ${EndIf}

  ; Only a file by our name, wherever the entry says it is.
  StrCpy $0 $ScrFile "" -16
  ${If} $0 == "\${SCR_NAME}"
    Call un.RedirectionOff
    Delete $ScrFile
    Call un.RedirectionOn
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir $INSTDIR
  ; The Start menu's entries, and their folder if nothing else is left in it.
  ${If} $SMPROGRAMS != ""
    Delete "${MENU_FOLDER}\${SETTINGS_LINK}"
    Delete "${MENU_FOLDER}\${USE_LINK}"
    RMDir "${MENU_FOLDER}"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ; The user's settings: only Tessalander's own key, as the configuration
  ; dialog's delete removes it. Asked, or in silent mode by /REMOVESETTINGS.
  ClearErrors
  EnumRegValue $0 HKCU "${SETTINGS_KEY}" 0
  ${If} ${Errors}
    Return
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also remove your Tessalander settings (the picture, the speed and the other choices of its configuration dialog)?" /SD IDNO IDYES remove
    Return
  ${EndIf}
remove:
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DetailPrint "Removed the settings"
SectionEnd
