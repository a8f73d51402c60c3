#include "core/LauncherSettingRules.h"

#include <gtest/gtest.h>

#include "core/ZanmelError.h"

namespace zanmel {
namespace {

TEST(LauncherSettingRulesTest, ChecksOfTheApplicationDialogByMode) {
    // The extension modes need a key and a path, and refuse a key beginning with "#".
    for (const std::string_view mode : {ext_mode::kExtAdd, ext_mode::kExtUpdate}) {
        EXPECT_EQ(CheckExtFields(mode, "", "a.exe"), "キーワード、ファイルは空欄にはできません。");
        EXPECT_EQ(CheckExtFields(mode, "txt", ""), "キーワード、ファイルは空欄にはできません。");
        EXPECT_EQ(CheckExtFields(mode, "#txt", "a.exe"), "#で始まるキーワードは許されません。");
        EXPECT_EQ(CheckExtFields(mode, "txt,log", "a.exe"), "");
    }
    // The two records test the path only: their key field is hidden.
    for (const std::string_view mode : {ext_mode::kWeb, ext_mode::kUnplug}) {
        EXPECT_EQ(CheckExtFields(mode, "", ""), "キーワード、ファイルは空欄にはできません。");
        EXPECT_EQ(CheckExtFields(mode, "", "b.exe"), "");
        EXPECT_EQ(CheckExtFields(mode, "#left over", "b.exe"), "");
    }
    EXPECT_EQ(ExtPathLabel(ext_mode::kWeb), "WEBブラウザのファイルパス");
    EXPECT_EQ(ExtPathLabel(ext_mode::kUnplug), "UnplugDrive Portableのファイルパス");
    EXPECT_EQ(ExtPathLabel(ext_mode::kExtUpdate), "ソフトのファイルパス");
}

TEST(LauncherSettingRulesTest, RecordOfTheFieldsWithTheBareArgumentFlag) {
    LauncherItemFields fields{"txt", "bin\\edit.exe", "", "-n", "", "SW_MAXIMIZE"};
    EXPECT_EQ(ExtRecordFromFields(fields, true).ToText(), ",bin\\edit.exe,-n,,3,2");
    fields.verb = "open";
    fields.showModeName = "";
    EXPECT_EQ(ExtRecordFromFields(fields, false).ToText(), "open,bin\\edit.exe,-n,,1,0");
}

TEST(LauncherSettingRulesTest, GridRowsShowTheKeysAndTheProgramPaths) {
    TKeyWordList ext("PC");
    EXPECT_TRUE(ExtGridRows(ext).empty());
    ext.Add("jpg,png,bmp", "", 1000, "open,C:\\view.exe,,,1,0");
    ext.Add("txt", "", 1001, "open,\"C:\\エディタ\\e.exe\",,,1,2");
    EXPECT_EQ(ExtGridRows(ext),
              (std::vector<ExtGridRow>{{"jpg,png,bmp", "C:\\view.exe"}, {"txt", "C:\\エディタ\\e.exe"}}));
    ext.Add("bad", "", 1002, "not a record");
    EXPECT_THROW(ExtGridRows(ext), ZanmelError);
}

}  // namespace
}  // namespace zanmel
