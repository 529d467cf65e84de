#ifndef KEXPORTER_FRONTEND_DIALOGLAYOUT_H
#define KEXPORTER_FRONTEND_DIALOGLAYOUT_H

// The texts of the program's windows and where they stand, as the
// operators' documents draw them: rectangles as x, y, width, height (sizes
// as width, height) in dialog units of the dialog font. One place for the
// Windows resource script, which windres reads through the C preprocessor
// (so only #define lines here), and for the Qt dialogs. UTF-8.

#include "ProgramVersion.h"

#define KEXPORTER_TITLE "KLX to MPVコンバータ[エクスポータ]"
#define KEXPORTER_DIALOG_FONT_FACE "ＭＳ Ｐゴシック"
#define KEXPORTER_DIALOG_FONT_POINTS 9
#define KEXPORTER_OK_TEXT "OK"
#define KEXPORTER_CANCEL_TEXT "ｷｬﾝｾﾙ"

#define START_DIALOG_SIZE 273, 95
#define START_STOP_SERVICE_TEXT "配信サービスの停止と実行中の配信管理ツールの終了をしてから実行してください。"
#define START_STOP_SERVICE_RECT 15, 14, 243, 10
// The missing space after "to" belongs to the text the operators know.
#define START_TEXT "KLX toMPVコンバータ[エクスポータ]の実行を開始します。"
#define START_TEXT_RECT 14, 25, 196, 10
#define START_VERSION_RECT 14, 77, 57, 8
#define START_OK_RECT 163, 74, 50, 14
#define START_CANCEL_RECT 215, 74, 50, 14

#define FOLDER_DIALOG_SIZE 253, 65
#define FOLDER_LABEL_TEXT "データ出力先"
#define FOLDER_LABEL_RECT 7, 7, 80, 8
#define FOLDER_FIELD_RECT 7, 18, 186, 14
#define FOLDER_BROWSE_TEXT "参照(&R)..."
#define FOLDER_BROWSE_RECT 197, 18, 50, 14
#define FOLDER_OK_RECT 143, 44, 50, 14
#define FOLDER_CANCEL_RECT 197, 44, 50, 14

#define PROGRESS_DIALOG_SIZE 253, 93
#define PROGRESS_TEXT_RECT 14, 16, 226, 29
#define PROGRESS_BAR_RECT 11, 57, 235, 26

#define RESULT_DIALOG_SIZE 253, 99
#define RESULT_TEXT_RECT 12, 13, 227, 54
#define RESULT_OK_RECT 191, 78, 50, 14

#endif
