#ifndef KEXPORTER_WINDIALOGS_DIALOGRESOURCES_H
#define KEXPORTER_WINDIALOGS_DIALOGRESOURCES_H

// The identifiers of the resource script (Kexporter.rc) and of the code that
// shows its dialogs; read by windres as well, so only #define lines here.

#define IDI_PROGRAM 128

#define IDD_START 102
#define IDD_PROGRESS 129
#define IDD_RESULT 130
#define IDD_OUTPUT_FOLDER 131

#define IDC_RESULT_TEXT 1000
#define IDC_VERSION 1001
#define IDC_FOLDER_LABEL 1002
#define IDC_FOLDER_FIELD 1003
#define IDC_BROWSE 1004
#define IDC_PROGRESS_BAR 1005
#define IDC_PROGRESS_TEXT 602

#endif
