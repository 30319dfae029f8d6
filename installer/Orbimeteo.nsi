; The setup program of Orbimeteo: either edition or both, for anyone who uses the computer
; (Program Files, machine registry) or only for the user who runs it (no administrator rights).
;
; makensis -DVERSION=3.2.5 -DSTAGE=<staged programs> -DDATA=<installation data>
;          -DSOURCE=<this folder> -DICON=<program icon> -DGENERATED=<folder of DataFiles.nsh> -DOUTDIR=<output folder>
;
; Command line of the setup program: /S (silent), /AllUsers or /CurrentUser, /CloudPane and/or
; /GlobeGlow (only these editions; default: those already installed, else both), /D=<folder>
; (last, unquoted).
; Command line of the uninstaller: /S, /RemoveSettings.

!ifndef VERSION | STAGE | DATA | SOURCE | ICON | GENERATED | OUTDIR
    !error "VERSION, STAGE, DATA, SOURCE, ICON, GENERATED and OUTDIR must be defined"
!endif

; The program's own version resource is the authority; the file name is told the same text.
!getdllversion "${STAGE}\cloud-pane.exe" ProgramVersion_
!if "${VERSION}" != "${ProgramVersion_1}.${ProgramVersion_2}.${ProgramVersion_3}"
    !error "VERSION ${VERSION} is not the program's version ${ProgramVersion_1}.${ProgramVersion_2}.${ProgramVersion_3}"
!endif

Unicode true
; The program is 64-bit; so is its setup, which then sees the real system folder and registry.
Target amd64-unicode
SetCompressor /SOLID lzma
; Administrators are asked for elevation as usual; anyone else installs just for themselves.
RequestExecutionLevel highest
ManifestDPIAware true

!define PRODUCT "Orbimeteo"
!define PUBLISHER "Orbimeteo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbimeteo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define DESKTOP_KEY "Control Panel\Desktop"
!define HIDDEN_WINDOW_CLASS "Orbimeteo_FormHidden"
; The notification menu's Exit command: the program saves its settings, restores the user's
; wallpaper and ends.
!define COMMAND_EXIT 57665

Name "${PRODUCT}"
OutFile "${OUTDIR}\OrbimeteoSetup-${VERSION}.exe"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${ProgramVersion_1}.${ProgramVersion_2}.${ProgramVersion_3}.${ProgramVersion_4}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "See NOTICE"

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh
!include "${GENERATED}\DataFiles.nsh"

Var AllUsers        ; 1: per machine, 0: per user
Var IsAdmin         ; 1 when this process may write Program Files and the machine registry
Var ModeGiven       ; 1 when /AllUsers or /CurrentUser chose the mode
Var DirGiven        ; 1 when /D chose the folder
Var EditionsGiven   ; editions chosen by /CloudPane and /GlobeGlow: 1 Cloud Pane, 2 Globe Glow
Var RemoveSettings  ; uninstaller: 1 removes the user's Options.txt and Cities.txt
Var AllUsersRadio
Var CurrentUserRadio
Var RemoveSettingsBox
Var RunFile
Var RunTitle

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SOURCE}\Welcome.bmp"
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, the desktop weather program, in one or both of its editions:$\r$\n$\r$\nCloud Pane puts your home city's weather on the desktop wallpaper.$\r$\n$\r$\nGlobe Glow shows the Earth with the real day and night and the weather of your cities.$\r$\n$\r$\nEach comes with its screen saver. A running Cloud Pane or Globe Glow is ended first; your settings are kept.$\r$\n$\r$\n$_CLICK"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
Page custom ModePageCreate ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE ComponentsPageLeave
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "&Start $RunTitle now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartInstalledEdition
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMe.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the &Read Me"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.SettingsPageCreate un.SettingsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------------------------
; Shared by setup and uninstaller (un is empty or "un.")

!macro EndingFunctions un
; Asks every running instance of one edition (desktop program or full-screen saver) to end as
; its Exit command does, and waits for its process. $0: the edition's display name.
Function ${un}EndRunningEdition
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    StrCpy $5 0
    ${Do}
        FindWindow $1 "${HIDDEN_WINDOW_CLASS}" "$0_FormHidden"
        ${If} $1 == 0
        ${OrIf} $5 >= 4
            ${Break}
        ${EndIf}
        IntOp $5 $5 + 1
        DetailPrint "Asking the running $0 to end"
        System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
        ; SYNCHRONIZE: enough to wait for the process, nothing more.
        System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
        System::Call 'user32::PostMessageW(p r1, i ${WM_COMMAND}, p ${COMMAND_EXIT}, p 0)'
        Push $3
        Push $1
        Call ${un}WaitForInstance
        Pop $4
        ${If} $4 != 1
            ; A program that does not know the command still ends the way it ends when
            ; Windows does.
            SendMessage $1 ${WM_QUERYENDSESSION} 0 0 /TIMEOUT=5000
            SendMessage $1 ${WM_ENDSESSION} 1 0 /TIMEOUT=5000
            Push $3
            Push $1
            Call ${un}WaitForInstance
            Pop $4
        ${EndIf}
        ${If} $3 != 0
            System::Call 'kernel32::CloseHandle(p r3)'
        ${EndIf}
        ${If} $4 != 1
            DetailPrint "$0 did not end"
        ${EndIf}
    ${Loop}
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
FunctionEnd

; Stack: window, process handle (0 when unknown). Leaves 1 when the instance ended within
; 8 seconds, else 0.
Function ${un}WaitForInstance
    Exch $R0 ; window
    Exch
    Exch $R1 ; process
    Push $R2
    ${If} $R1 != 0
        System::Call 'kernel32::WaitForSingleObject(p R1, i 8000) i .R2'
        ${If} $R2 == 0
            StrCpy $R0 1
        ${Else}
            StrCpy $R0 0
        ${EndIf}
    ${Else}
        StrCpy $R2 0
        ${Do}
            IsWindow $R0 0 gone
            Sleep 200
            IntOp $R2 $R2 + 1
        ${LoopUntil} $R2 >= 40
        StrCpy $R0 0
        Goto done
        gone:
        StrCpy $R0 1
        done:
    ${EndIf}
    Pop $R2
    Pop $R1
    Exch $R0
FunctionEnd

Function ${un}EndRunningInstances
    Push $0
    StrCpy $0 "Cloud Pane"
    Call ${un}EndRunningEdition
    StrCpy $0 "Globe Glow"
    Call ${un}EndRunningEdition
    Pop $0
FunctionEnd

; $0: a path; leaves it in its long form when the file exists, unchanged otherwise.
Function ${un}LongPath
    Push $1
    Push $2
    System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
    ${If} $2 > 0
    ${AndIf} $2 < ${NSIS_MAX_STRLEN}
        StrCpy $0 $1
    ${EndIf}
    Pop $2
    Pop $1
FunctionEnd
!macroend
!insertmacro EndingFunctions ""
!insertmacro EndingFunctions "un."

; Takes away one edition installed in $INSTDIR: its programs, the copy of its screen saver in
; the system folder, its "InstallationPath", its shortcut, and the current user's start-up
; entry and screen-saver choice when they name these files. Other values under the edition's
; key (the NOAA addresses) stay.
!macro RemoveEdition un KEY BASE TITLE
    Push $0
    Push $1
    Push $2
    StrCpy $0 "$INSTDIR"
    Call ${un}LongPath
    StrCpy $2 $0 ; the installation folder, long form

    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $1 != ""
        StrCpy $0 $1
        Call ${un}LongPath
        StrCpy $1 $0
        ${If} $1 == "$2\${BASE}.scr"
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${ElseIf} $AllUsers == 1
            ; The copy in the system folder is ours only in a machine installation.
            StrCpy $0 "$SYSDIR\${BASE}.scr"
            Call ${un}LongPath
            ${If} $1 == $0
                DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
            ${EndIf}
        ${EndIf}
    ${EndIf}

    ReadRegStr $1 HKCU "${RUN_KEY}" "${KEY}"
    ${If} $1 == "$\"$2\${BASE}.exe$\""
    ${OrIf} $1 == "$2\${BASE}.exe"
    ${OrIf} $1 == "$\"$INSTDIR\${BASE}.exe$\""
    ${OrIf} $1 == "$INSTDIR\${BASE}.exe"
        DeleteRegValue HKCU "${RUN_KEY}" "${KEY}"
    ${EndIf}

    ReadRegStr $1 SHCTX "Software\${KEY}" "InstallationPath"
    ${If} $1 == $INSTDIR
    ${OrIf} $1 == $2
        DeleteRegValue SHCTX "Software\${KEY}" "InstallationPath"
        DeleteRegKey /ifempty SHCTX "Software\${KEY}"
        ${If} $AllUsers == 1
            Delete "$SYSDIR\${BASE}.scr"
        ${EndIf}
    ${EndIf}

    Delete "$INSTDIR\${BASE}.exe"
    Delete "$INSTDIR\${BASE}.scr"
    Delete "$SMPROGRAMS\${PRODUCT}\${TITLE}.lnk"
    Pop $2
    Pop $1
    Pop $0
!macroend

!macro InstallEdition KEY BASE TITLE
    SetOutPath "$INSTDIR"
    File "${STAGE}\${BASE}.exe"
    File "${STAGE}\${BASE}.scr"
    ${If} $AllUsers == 1
        ; Where the options dialog's "Make ... my Screen Saver" looks first, and where the
        ; system's screen-saver settings list it.
        SetOutPath "$SYSDIR"
        File "${STAGE}\${BASE}.scr"
        SetOutPath "$INSTDIR"
    ${EndIf}
    WriteRegStr SHCTX "Software\${KEY}" "InstallationPath" "$INSTDIR"
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${TITLE}.lnk" "$INSTDIR\${BASE}.exe" "" "$INSTDIR\${BASE}.exe" 0
!macroend

; ---------------------------------------------------------------------------------------------
; Setup

Section "-End running instances"
    SetRegView 64
    Call EndRunningInstances
SectionEnd

Section "Cloud Pane (weather)" SecCloudPane
    !insertmacro InstallEdition CloudPane cloud-pane "Cloud Pane"
SectionEnd

Section "Globe Glow (earth)" SecGlobeGlow
    !insertmacro InstallEdition GlobeGlow globe-glow "Globe Glow"
SectionEnd

Section "-Installation data and uninstaller"
    ; An upgrade that leaves an edition out takes it away.
    ${IfNot} ${SectionIsSelected} ${SecCloudPane}
        !insertmacro RemoveEdition "" CloudPane cloud-pane "Cloud Pane"
    ${EndIf}
    ${IfNot} ${SectionIsSelected} ${SecGlobeGlow}
        !insertmacro RemoveEdition "" GlobeGlow globe-glow "Globe Glow"
    ${EndIf}

    !insertmacro InstallDataFiles
    SetOutPath "$INSTDIR"
    File "${SOURCE}\ReadMe.html"
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Read Me.lnk" "$INSTDIR\ReadMe.html"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ${If} ${SectionIsSelected} ${SecCloudPane}
        StrCpy $RunFile "cloud-pane.exe"
        StrCpy $RunTitle "Cloud Pane"
    ${Else}
        StrCpy $RunFile "globe-glow.exe"
        StrCpy $RunTitle "Globe Glow"
    ${EndIf}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\$RunFile,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInit
    SetRegView 64
    ${If} $INSTDIR != ""
        StrCpy $DirGiven 1
    ${EndIf}
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $IsAdmin 1
    ${Else}
        StrCpy $IsAdmin 0
    ${EndIf}

    ; An earlier installation keeps its mode; a new one is per machine when allowed.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${AndIf} $1 != ""
        StrCpy $AllUsers 0
    ${Else}
        StrCpy $AllUsers $IsAdmin
    ${EndIf}

    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 "/AllUsers" $3
    ${IfNot} ${Errors}
        StrCpy $AllUsers 1
        StrCpy $ModeGiven 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $2 "/CurrentUser" $3
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
        StrCpy $ModeGiven 1
    ${EndIf}
    StrCpy $EditionsGiven 0
    ClearErrors
    ${GetOptions} $2 "/CloudPane" $3
    ${IfNot} ${Errors}
        IntOp $EditionsGiven $EditionsGiven | 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $2 "/GlobeGlow" $3
    ${IfNot} ${Errors}
        IntOp $EditionsGiven $EditionsGiven | 2
    ${EndIf}
    ${If} $AllUsers == 1
    ${AndIf} $IsAdmin != 1
        MessageBox MB_OK|MB_ICONSTOP "Installing ${PRODUCT} for anyone who uses this computer needs administrator rights." /SD IDOK
        SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
        Quit
    ${EndIf}
    Call ApplyMode
FunctionEnd

; Folder, shell folders, registry root and preselected editions of the chosen mode.
Function ApplyMode
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $DirGiven != 1
        ${If} $0 != ""
            StrCpy $INSTDIR $0
        ${ElseIf} $AllUsers == 1
            StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
        ${EndIf}
    ${EndIf}
    ; The command line's editions; else an upgrade offers the editions that are there and a
    ; first installation offers both.
    StrCpy $1 $EditionsGiven
    ${If} $1 == 0
    ${AndIf} $0 != ""
        ${If} ${FileExists} "$INSTDIR\cloud-pane.exe"
            IntOp $1 $1 | 1
        ${EndIf}
        ${If} ${FileExists} "$INSTDIR\globe-glow.exe"
            IntOp $1 $1 | 2
        ${EndIf}
    ${EndIf}
    ${If} $1 == 0
        StrCpy $1 3
    ${EndIf}
    IntOp $2 $1 & 1
    ${If} $2 != 0
        !insertmacro SelectSection ${SecCloudPane}
    ${Else}
        !insertmacro UnselectSection ${SecCloudPane}
    ${EndIf}
    IntOp $2 $1 & 2
    ${If} $2 != 0
        !insertmacro SelectSection ${SecGlobeGlow}
    ${Else}
        !insertmacro UnselectSection ${SecGlobeGlow}
    ${EndIf}
FunctionEnd

Function ModePageCreate
    ${If} $ModeGiven == 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom ${PRODUCT} is installed."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 20u "Install ${PRODUCT} for:"
    Pop $0
    ${NSD_CreateRadioButton} 10u 22u -10u 12u "&Anyone who uses this computer"
    Pop $AllUsersRadio
    ${NSD_CreateLabel} 22u 35u -22u 20u "Into Program Files, with the screen savers in the system folder. Needs administrator rights."
    Pop $0
    ${NSD_CreateRadioButton} 10u 62u -10u 12u "Only for &me"
    Pop $CurrentUserRadio
    ${NSD_CreateLabel} 22u 75u -22u 20u "Into your own programs folder. No administrator rights needed."
    Pop $0
    ${If} $IsAdmin != 1
        EnableWindow $AllUsersRadio 0
        ${NSD_CreateLabel} 0 104u 100% 20u "You are not an administrator of this computer, so ${PRODUCT} can be installed only for you."
        Pop $0
    ${EndIf}
    ${If} $AllUsers == 1
        ${NSD_Check} $AllUsersRadio
    ${Else}
        ${NSD_Check} $CurrentUserRadio
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function ModePageLeave
    ${NSD_GetState} $AllUsersRadio $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $AllUsers 1
    ${Else}
        StrCpy $AllUsers 0
    ${EndIf}
    Call ApplyMode
FunctionEnd

Function ComponentsPageLeave
    ${IfNot} ${SectionIsSelected} ${SecCloudPane}
    ${AndIfNot} ${SectionIsSelected} ${SecGlobeGlow}
        MessageBox MB_OK|MB_ICONEXCLAMATION "Please choose at least one edition."
        Abort
    ${EndIf}
FunctionEnd

Function StartInstalledEdition
    Exec '"$INSTDIR\$RunFile"'
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Uninstaller

Function un.onInit
    SetRegView 64
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $IsAdmin 1
    ${Else}
        StrCpy $IsAdmin 0
    ${EndIf}
    ; The installation the machine's entry names is a machine installation.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        StrCpy $AllUsers 1
        SetShellVarContext all
    ${Else}
        StrCpy $AllUsers 0
        SetShellVarContext current
    ${EndIf}
    ${If} $AllUsers == 1
    ${AndIf} $IsAdmin != 1
        MessageBox MB_OK|MB_ICONSTOP "Removing ${PRODUCT} from this computer needs administrator rights." /SD IDOK
        SetErrorLevel 740
        Quit
    ${EndIf}
    ${un.GetParameters} $1
    ClearErrors
    ${un.GetOptions} $1 "/RemoveSettings" $2
    ${If} ${Errors}
        StrCpy $RemoveSettings 0
    ${Else}
        StrCpy $RemoveSettings 1
    ${EndIf}
FunctionEnd

Function un.SettingsPageCreate
    !insertmacro MUI_HEADER_TEXT "Your Settings" "Choose whether your own settings go too."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 40u "Your home city, your favourite cities and your options are kept, so that a later installation finds them again. They are in your application-data folder (Options.txt and Cities.txt)."
    Pop $0
    ${NSD_CreateCheckbox} 0 48u 100% 12u "&Remove my settings"
    Pop $RemoveSettingsBox
    ${If} $RemoveSettings == 1
        ${NSD_Check} $RemoveSettingsBox
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function un.SettingsPageLeave
    ${NSD_GetState} $RemoveSettingsBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $RemoveSettings 1
    ${Else}
        StrCpy $RemoveSettings 0
    ${EndIf}
FunctionEnd

; The current user's own files of one edition: the wallpaper pictures always, the settings
; when asked.
!macro RemoveUserFiles KEY
    Delete "$LOCALAPPDATA\${KEY}\Wallpaper\E*.bmp"
    RMDir "$LOCALAPPDATA\${KEY}\Wallpaper"
    RMDir "$LOCALAPPDATA\${KEY}"
    ${If} $RemoveSettings == 1
        Delete "$APPDATA\${KEY}\Options.txt"
        Delete "$APPDATA\${KEY}\Options.txt.temp"
        Delete "$APPDATA\${KEY}\Cities.txt"
        Delete "$APPDATA\${KEY}\Cities.txt.temp"
        RMDir "$APPDATA\${KEY}"
    ${EndIf}
!macroend

Section "Uninstall"
    Call un.EndRunningInstances
    !insertmacro RemoveEdition "un." CloudPane cloud-pane "Cloud Pane"
    !insertmacro RemoveEdition "un." GlobeGlow globe-glow "Globe Glow"
    !insertmacro RemoveDataFiles
    Delete "$INSTDIR\ReadMe.html"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Read Me.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"

    SetShellVarContext current
    !insertmacro RemoveUserFiles CloudPane
    !insertmacro RemoveUserFiles GlobeGlow
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${EndIf}
SectionEnd
