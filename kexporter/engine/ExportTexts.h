#ifndef KEXPORTER_ENGINE_EXPORTTEXTS_H
#define KEXPORTER_ENGINE_EXPORTTEXTS_H

#include "DialogLayout.h"

// Texts of the export run, as the operator and the importing side see them.
inline constexpr const char* kStartedMessage = KEXPORTER_TITLE "を開始しました";
inline constexpr const char* kEndedMessage = KEXPORTER_TITLE "が終了しました。";
inline constexpr const char* kInitFailedMessage = "データベースの初期化が失敗しました。";
inline constexpr const char* kInitSucceededMessage = "データベースの初期化が成功しました。";
inline constexpr const char* kNotInstalledMessage =
    "Orvel Document Routerがインストールされている環境で利用してください。";
inline constexpr const char* kOpenSucceededMessage = "データベースのオープンが成功しました。";
inline constexpr const char* kAccessFailedMessage = "データベースのアクセスが失敗しました。";
inline constexpr const char* kTerminateFailedMessage = "データベースの終了処理が失敗しました。";

inline constexpr const char* kDestinationCountLabel = "あて先数：";
inline constexpr const char* kGroupDestinationCountLabel = "グループあて先数：";
inline constexpr const char* kExcludedCountLabel = "受信トレイが設定されていないあて先数：";
inline constexpr const char* kTsiCountLabel = "TSI数：";

inline constexpr const char* kNormalEndText = "正常終了しました。";
inline constexpr const char* kNoDataText = "エクスポートすべきデータはありませんでした。";
inline constexpr const char* kNoImportText = "インポート実行の必要はありません。";
inline constexpr const char* kErrorText = "エラーが発生しました。";
inline constexpr const char* kDetailsPrefix = "詳細は";
inline constexpr const char* kDetailsSuffix = "を確認してください。";

#endif
