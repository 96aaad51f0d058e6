; The Windows installer of Kustel: a per-user installation, no administrator rights, into
; %LOCALAPPDATA%\Programs\Kustel, with an entry in the Start menu, one under "Senden an" (Send
; To: Explorer hands the selected files to Kustel in one call) and, when chosen, an icon on the
; desktop to drop files on. Its uninstaller is registered with Windows and removes exactly these;
; the user's settings (HKCU\software\tolm\kustel) stay.
;
; CMake builds it (packaging/windows/CMakeLists.txt), with these defines:
;   VERSION     the project version, "1.0"        VERSION4   the same in four parts, "1.0.0.0"
;   PROGRAM     kustel.exe of the build            LICENSE    the licence with CRLF line ends
;   ICON        packaging/kustel.ico               OUTFILE    the installer to write
;   COPYRIGHT   "© 2026 The Kustel developers"     PUBLISHER  "The Kustel developers"
;
; Silent: setup.exe /S installs (/DESKTOP adds the desktop icon, /D=folder as the last argument
; another folder); "Deinstallieren.exe" /S removes. While Kustel runs neither touches a file: the
; installer ends with exit code 2, the uninstaller leaves everything in place.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kustel"
!define UNINSTALLER "Deinstallieren.exe"
!define LINK_NAME "Kustel.lnk"
!define LINK_DESCRIPTION "Datum oder Text vor Dateinamen setzen"
; OpenMutexW's access right: enough to learn that the mutex exists.
!define SYNCHRONIZE 0x00100000
!define KUSTEL_RUNS "Kustel läuft noch.$\r$\n$\r$\nBitte beenden Sie Kustel und wählen Sie dann „Wiederholen“."
!define PROGRAM_IN_USE "$INSTDIR\kustel.exe kann nicht entfernt werden, weil ein anderes Programm \
die Datei geöffnet hat.$\r$\n$\r$\nBitte schließen Sie es und wählen Sie dann „Wiederholen“."

Name "Kustel"
OutFile "${OUTFILE}"
; An installation over an earlier one goes where that one is.
InstallDir "$LOCALAPPDATA\Programs\Kustel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Kustel ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\kustel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Kustel jetzt starten"

; Not the usual advice to close every program for system files: Kustel replaces none.
!define MUI_WELCOMEPAGE_TEXT "Dieser Assistent richtet Kustel für Ihr Benutzerkonto ein, ohne \
Administratorrechte: mit einem Eintrag im Startmenü, einem unter „Senden an“ und auf Wunsch \
einem Symbol auf dem Desktop.$\r$\n$\r$\nKlicken Sie auf Weiter, um fortzufahren."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
; Over an earlier installation there is no folder to choose: the new version replaces the old
; one where it is, and no second copy stays behind.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOverEarlierInstallation
!insertmacro MUI_PAGE_DIRECTORY
; Only a running Kustel stops the installation, and before anything is changed.
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Installation abgebrochen"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "Es wurde nichts verändert."
!insertmacro MUI_PAGE_INSTFILES
; MUI2 forgets to clear these after the page, so the uninstaller's page could not have its own.
!undef MUI_INSTFILESPAGE_ABORTHEADER_TEXT
!undef MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Deinstallation abgebrochen"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "Kustel wurde nicht entfernt."
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Kustel"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
; The uninstaller is made from the installer and carries the same version resource.
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Kustel installieren und deinstallieren"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"

; kustel.exe holds the mutex KUSTEL while it runs. Its file can then be neither replaced nor
; removed on Windows, so the installer and the uninstaller wait for it before they touch anything:
; the user ends Kustel and retries, or cancels. Silent, they cancel.
!macro WAIT_UNTIL_KUSTEL_ENDS un
  Function ${un}WaitUntilKustelEnds
    ${Do}
      System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "KUSTEL") p .r0'
      ${If} $0 P= 0
        Return
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${KUSTEL_RUNS}" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Abort
    retry:
    ${Loop}
  FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_KUSTEL_ENDS ""
!insertmacro WAIT_UNTIL_KUSTEL_ENDS "un."

Section "Kustel" SecProgram
  SectionIn RO
  Call WaitUntilKustelEnds
  SetOutPath "$INSTDIR"
  File "/oname=kustel.exe" "${PROGRAM}"
  File "/oname=LIZENZ.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${LINK_NAME}" "$INSTDIR\kustel.exe" "" "$INSTDIR\kustel.exe" 0 \
    SW_SHOWNORMAL "" "${LINK_DESCRIPTION}"
  ; Explorer starts the target of a Send To entry with the selected files as its arguments.
  CreateShortcut "$SENDTO\${LINK_NAME}" "$INSTDIR\kustel.exe" "" "$INSTDIR\kustel.exe" 0 \
    SW_SHOWNORMAL "" "${LINK_DESCRIPTION}"
SectionEnd

; Off unless asked for: the Start menu and "Senden an" already reach Kustel, and an icon appears
; on the desktop only where its user wants one (also after a silent installation).
Section /o "Symbol auf dem Desktop" SecDesktop
  CreateShortcut "$DESKTOP\${LINK_NAME}" "$INSTDIR\kustel.exe" "" "$INSTDIR\kustel.exe" 0 \
    SW_SHOWNORMAL "" "${LINK_DESCRIPTION}"
SectionEnd

; Last: the registration with Windows, once everything is in place.
Section "-Registration"
  ${IfNot} ${SectionIsSelected} ${SecDesktop}
    ; Unticked over an earlier installation that had it.
    Delete "$DESKTOP\${LINK_NAME}"
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kustel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kustel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function SkipFolderOverEarlierInstallation
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  ; The desktop icon stays as the earlier installation left it, unless /DESKTOP asks for it.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/DESKTOP" $R1
  ${IfNot} ${Errors}
  ${OrIf} ${FileExists} "$DESKTOP\${LINK_NAME}"
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} \
    "Kustel mit Einträgen im Startmenü und unter „Senden an“."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} \
    "Ein Symbol auf dem Desktop: Dateien, die Sie darauf ziehen, werden gestempelt."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Call un.WaitUntilKustelEnds
  ; The program file first: while another program holds it open, Windows refuses, and then
  ; nothing else is removed either, so the user can simply try again.
  ${Do}
    ClearErrors
    Delete "$INSTDIR\kustel.exe"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PROGRAM_IN_USE}" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort
  retry:
  ${Loop}
  Delete "$SMPROGRAMS\${LINK_NAME}"
  Delete "$SENDTO\${LINK_NAME}"
  Delete "$DESKTOP\${LINK_NAME}"
  Delete "$INSTDIR\LIZENZ.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: what the user put into the folder stays, and with it the folder.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
