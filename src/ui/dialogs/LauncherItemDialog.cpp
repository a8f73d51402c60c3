#include "ui/dialogs/LauncherItemDialog.h"

namespace zanmel::ui {

// clang-format off
TFormZanmel::TFormZanmel(const Dependencies& deps)
    : TreeItemDialog({.className = L"TFormZanmel", .caption = "ランチャ登録",
                      .standardHeight = 196, .extraHeight = 220,
                      .standardGroup = kItemGroupBox1, .keywordLabel = {"キーワード"}, .keyword = kItemEdit1,
                      .pathLabel = {"ファイル、フォルダ"}, .path = kItemEdit2, .dropPanel = kItemPanel2,
                      .pathButtons = {kItemBtnRefFile, kItemBtnRefDir, kItemBtnExpandFilePath,
                                      kItemBtnRelativeFilePath},
                      .fileDrops = true, .extraGroup = {"詳細設定", kItemGroupBox2},
                      .record = {kItemComboBox1, kItemEdit3,
                                 "作業フォルダ(実行ファイルの場合、空白で実行ファイルのフォルダが指定されます)",
                                 kItemEdit4, kItemComboBox2},
                      .buttons = {kItemBtnShowExtra, kItemBtnOK, kItemBtnCancel}},
                     deps, kItemFieldsEmpty) {
    // clang-format on
    MakeControls(*this);
}

}  // namespace zanmel::ui
