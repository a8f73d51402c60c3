#include "skin/TSkinDriver.h"

#include <array>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/ZanmelError.h"

namespace zanmel::skin {

const char* const TSkinDriver::kNotFoundMessage = "KeyWordが見つかりません。TSkinDriver->LoadFromName";
const char* const TSkinDriver::kFormatMessage = "bmp,png以外のフォーマットには対応していません";
const char* const TSkinDriver::kFileMissingMessage = "ファイルが見つかりません。";

namespace {

const char* const kDefaultFontName = "ＭＳ Ｐゴシック";

// The last backslash of a path that is a real separator, not the trail byte of a double-byte character.
std::size_t LastSeparator(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i)) {
        if (path[i] == '\\') last = i;
    }
    return last;
}

std::string ExtensionOf(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    std::size_t dot = std::string::npos;
    for (std::size_t i = separator == std::string::npos ? 0 : separator + 1; i < path.size();
         i += cp932::CharLength(path, i)) {
        if (path[i] == '.') dot = i;
    }
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

// The three components of a colour, when all three keys are present.
std::optional<ColorRef> ReadColor(const SkinKeyValues& keys, const std::string& prefix) {
    const std::string* r = keys.Find(prefix + "r");
    const std::string* g = keys.Find(prefix + "g");
    const std::string* b = keys.Find(prefix + "b");
    if (r == nullptr || g == nullptr || b == nullptr) return std::nullopt;
    // Only the low 8 bits of each component count: 300 gives 44, -1 gives 255.
    const auto red = static_cast<std::uint8_t>(ParseSkinInteger(*r));
    const auto green = static_cast<std::uint8_t>(ParseSkinInteger(*g));
    const auto blue = static_cast<std::uint8_t>(ParseSkinInteger(*b));
    return Rgb(red, green, blue);
}

std::int32_t ReadInteger(const SkinKeyValues& keys, const std::string& key, std::int32_t defaultValue) {
    const std::string* value = keys.Find(key);
    return value == nullptr ? defaultValue : ParseSkinInteger(*value);
}

}  // namespace

std::string AbsoluteSkinPath(const std::string& base, const std::string& path) {
    const bool hasDrive = path.size() >= 2 && path[1] == ':' &&
                          ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (hasDrive || (!path.empty() && path[0] == '\\') || base.empty()) return path;
    if (LastSeparator(base) + 1 == base.size()) return base + path;
    return base + "\\" + path;
}

std::string SkinFolderOf(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

TSkinDriver::TSkinDriver(TDebugTimer& timer, SkinEnvironment& env, UserInterface& ui, std::string programFolder)
    : env_(env), ui_(ui), programFolder_(std::move(programFolder)) {
    timer.BeginStage();
    ScanSkins();
    timer.EndStage("TSkinDriver::TSkinDriver");
}

void TSkinDriver::ScanSkins() {
    SkinNames.clear();
    SkinCraftmen.clear();
    SkinFiles.clear();
    const std::string skinFolder = AbsoluteSkinPath(programFolder_, "skin");
    for (const SkinFolderEntry& entry : env_.ListFolder(skinFolder)) {
        if (!IsListedSkinFolder(entry.attributes) || entry.name == "." || entry.name == "..") continue;
        const std::string file = skinFolder + "\\" + entry.name + "\\descript.txt";
        std::optional<std::string> bytes;
        try {
            bytes = env_.ReadFile(file);
        } catch (const ZanmelError&) {
            // A description that exists but cannot be read (locked, no access) leaves its skin out of the list
            // instead of stopping the whole start-up.
        }
        if (!bytes) continue;
        std::optional<SkinHeader> header = ReadSkinHeader(*bytes, ui_);
        if (!header) continue;
        SkinNames.push_back(std::move(header->name));
        SkinCraftmen.push_back(std::move(header->maker));
        SkinFiles.push_back(file);
    }
}

std::string TSkinDriver::GetSkinNames() const {
    return CommaTextJoin(SkinNames);
}

bool TSkinDriver::LoadFromName(const std::string& name) {
    for (std::size_t i = 0; i < SkinNames.size(); ++i) {
        if (cp932::EqualsIgnoreCase(SkinNames[i], name)) {
            LoadDescription(SkinFiles[i]);
            return true;
        }
    }
    ui_.ShowMessage(kNotFoundMessage);
    return false;
}

void LoadStartupSkin(TSkinDriver& driver, const ProfileFile& computerSettings, std::string_view defaultSkinName,
                     std::string& currentName) {
    currentName = computerSettings.ReadString("MainForm", "SkinName", defaultSkinName);
    driver.LoadFromName(currentName);
}

void TSkinDriver::ReadFont(const SkinKeyValues& keys, const std::string& prefix, TSkinFont& font,
                           ColorRef defaultColor) {
    const std::string* name = keys.Find(prefix + "name");
    font.Name = name != nullptr ? *name : kDefaultFontName;
    font.Size = ReadInteger(keys, prefix + "size", 12);
    font.Style = TSkinFontStyle{};
    font.Style.bold = ReadSkinBool(keys, prefix + "bold", false);
    font.Style.italic = ReadSkinBool(keys, prefix + "italic", false);
    font.Style.underline = ReadSkinBool(keys, prefix + "underline", false);
    font.Color = ReadColor(keys, prefix + "color.").value_or(defaultColor);
}

void TSkinDriver::ReadGraphic(const SkinKeyValues& keys, const std::string& folder, const std::string& prefix,
                              TCustomSkinGraphic& graphic, ColorRef defaultColor) {
    if (const std::string* fileName = keys.Find(prefix + "filename")) {
        const std::string path = AbsoluteSkinPath(folder, *fileName);
        if (env_.FileExists(path)) {
            const std::string extension = ExtensionOf(path);
            if (cp932::EqualsIgnoreCase(extension, ".png") || cp932::EqualsIgnoreCase(extension, ".bmp")) {
                graphic.Bitmap = env_.ReadImage(path);
            } else {
                ui_.ShowMessage(kFormatMessage);
            }
        } else {
            ui_.ShowMessage(prefix + "filename\r\n" + kFileMissingMessage);
        }
    }

    auto* horizontal = dynamic_cast<TSkinGraphicX*>(&graphic);
    auto* vertical = dynamic_cast<TSkinGraphicY*>(&graphic);
    if (horizontal != nullptr) {
        horizontal->HorizontalAlignment = SkinHorizontalAlignment::Left;
        if (const std::string* value = keys.Find(prefix + "alignment.horizontal")) {
            const std::string word = cp932::ToLower(*value);
            if (word == "right") {
                horizontal->HorizontalAlignment = SkinHorizontalAlignment::Right;
            } else if (word == "center") {
                horizontal->HorizontalAlignment = SkinHorizontalAlignment::Center;
            } else if (word != "left") {
                ui_.ShowMessage("HorizontalAlignmentの設定語では無い文字が代入された。");
            }
        }
    }
    if (vertical != nullptr) {
        vertical->VarticalAlignment = SkinVerticalAlignment::Top;
        if (const std::string* value = keys.Find(prefix + "alignment.vertical")) {
            const std::string word = cp932::ToLower(*value);
            if (word == "bottom") {
                vertical->VarticalAlignment = SkinVerticalAlignment::Bottom;
            } else if (word == "middle") {
                vertical->VarticalAlignment = SkinVerticalAlignment::Middle;
            } else if (word != "top") {
                ui_.ShowMessage("VarticalAlignmentの設定語では無い文字が代入された。");
            }
        }
    }

    // The fill colour around the image continues the image's edge that faces the open side.
    graphic.Color = defaultColor;
    if (graphic.HasImage()) {
        const SkinImage& image = *graphic.Bitmap;
        if (horizontal != nullptr) {
            const bool left = horizontal->HorizontalAlignment == SkinHorizontalAlignment::Left;
            graphic.Color = image.Pixel(left ? image.Width() - 1 : 0, 0);
        } else if (vertical != nullptr) {
            const bool top = vertical->VarticalAlignment == SkinVerticalAlignment::Top;
            graphic.Color = image.Pixel(0, top ? image.Height() - 1 : 0);
        }
    }

    graphic.BackGroundRepeat = SkinRepeat::None;
    if (const std::string* value = keys.Find(prefix + "repeat")) {
        const std::string word = cp932::ToLower(*value);
        if (word == "x") {
            graphic.BackGroundRepeat = SkinRepeat::X;
        } else if (word == "y") {
            graphic.BackGroundRepeat = SkinRepeat::Y;
        } else if (word == "both") {
            graphic.BackGroundRepeat = SkinRepeat::Both;
        } else if (word != "none") {
            ui_.ShowMessage("BackGroundRepeatの設定語では無い文字が代入された。");
        }
    }

    graphic.Prepare(env_.PrimaryScreenSize());
}

bool TSkinDriver::LoadDescription(const std::string& path) {
    TSkin& skin = Skin;
    const std::array<TCustomSkinGraphic*, 12> graphics = {
        &skin.TreeView.ForeGround,  &skin.TreeView.BackGround,     &skin.ListBox.ForeGround,
        &skin.ListBox.BackGround,   &skin.Popup.ForeGround,        &skin.Popup.BackGround,
        &skin.TopGraphic.Graphic,   &skin.BottomGraphic.Graphic,   &skin.LeftGraphic.Graphic,
        &skin.RightGraphic.Graphic, &skin.SplitterGraphic.Graphic, &skin.Popup.SideBar};
    for (TCustomSkinGraphic* graphic : graphics) graphic->Bitmap.reset();

    const std::string file = AbsoluteSkinPath(programFolder_, path);
    const std::optional<std::string> bytes = env_.ReadFile(file);
    const SkinKeyValues keys = ParseSkinDescription(bytes.value_or(std::string()));
    const std::string folder = SkinFolderOf(file);

    const std::string* name = keys.Find("name");
    if (name == nullptr) {
        ui_.ShowMessage(kNameMissingMessage);
        return false;
    }
    skin.Name = *name;
    const std::string* type = keys.Find("type");
    if (type == nullptr) {
        ui_.ShowMessage(kTypeMissingMessage);
        return false;
    }
    skin.Type = *type;
    const std::string* craftman = keys.Find("craftman");
    const std::string* craftmanW = keys.Find("craftmanw");
    if (craftman == nullptr && craftmanW == nullptr) {
        ui_.ShowMessage(kCraftmanMissingMessage);
        return false;
    }
    skin.Craftman = craftman != nullptr ? *craftman : std::string();
    skin.CraftmanW = craftmanW != nullptr ? *craftmanW : std::string();
    if (skin.Craftman.empty()) skin.Craftman = skin.CraftmanW;
    if (skin.CraftmanW.empty()) skin.CraftmanW = skin.Craftman;
    const std::string* url = keys.Find("craftmanurl");
    skin.CraftmanUrl = url != nullptr ? *url : std::string();
    const std::string* id = keys.Find("id");
    if (id == nullptr) {
        ui_.ShowMessage(kIdMissingMessage);
        return false;
    }
    skin.Id = *id;

    skin.Charset = 128;
    skin.FixedMode = ReadSkinBool(keys, "fixedmode", false);
    skin.TransparentMode = ReadSkinBool(keys, "transparent.mode", false);
    skin.TitleBarVisible = ReadSkinBool(keys, "titlebar.visble", true);
    skin.CloseButton.left = ReadInteger(keys, "paneltop.closebutton.left", 0);
    skin.CloseButton.top = ReadInteger(keys, "paneltop.closebutton.top", 0);
    skin.CloseButton.right = ReadInteger(keys, "paneltop.closebutton.right", 0);
    skin.CloseButton.bottom = ReadInteger(keys, "paneltop.closebutton.bottom", 0);

    skin.TransparentColor = ReadColor(keys, "transparent.color.").value_or(Rgb(0, 0, 0));
    skin.InputBox.Color = ReadColor(keys, "inputbox.color.").value_or(kWindowColor);

    skin.SplitterVisible = ReadSkinBool(keys, "splitter.visble", true);
    skin.SystemPopupOwnerDraw = ReadSkinBool(keys, "system.popup.ownerdraw", true);

    ReadFont(keys, "treeview.foreground.font.", skin.TreeView.ForeGroundFont, kHighlightTextColor);
    ReadFont(keys, "treeview.background.font.", skin.TreeView.BackGroundFont, kWindowTextColor);
    ReadFont(keys, "listbox.foreground.font.", skin.ListBox.ForeGroundFont, kHighlightTextColor);
    ReadFont(keys, "listbox.background.font.", skin.ListBox.BackGroundFont, kWindowTextColor);
    ReadFont(keys, "popup.foreground.font.", skin.Popup.ForeGroundFont, kHighlightTextColor);
    ReadFont(keys, "popup.background.font.", skin.Popup.BackGroundFont, kWindowTextColor);
    ReadFont(keys, "inputbox.label.font.", skin.InputBox.LabelFont, kWindowTextColor);
    ReadFont(keys, "inputbox.edit.font.", skin.InputBox.EditFont, kWindowTextColor);

    ReadGraphic(keys, folder, "treeview.foreground.graphic.", skin.TreeView.ForeGround, kWindowColor);
    ReadGraphic(keys, folder, "treeview.background.graphic.", skin.TreeView.BackGround, kWindowColor);
    ReadGraphic(keys, folder, "listbox.foreground.graphic.", skin.ListBox.ForeGround, kWindowColor);
    ReadGraphic(keys, folder, "listbox.background.graphic.", skin.ListBox.BackGround, kWindowColor);
    ReadGraphic(keys, folder, "popup.foreground.graphic.", skin.Popup.ForeGround, kButtonFaceColor);
    ReadGraphic(keys, folder, "popup.background.graphic.", skin.Popup.BackGround, kButtonFaceColor);
    ReadGraphic(keys, folder, "paneltop.graphic.", skin.TopGraphic.Graphic, kButtonFaceColor);
    ReadGraphic(keys, folder, "panelbottom.graphic.", skin.BottomGraphic.Graphic, kButtonFaceColor);
    ReadGraphic(keys, folder, "panelleft.graphic.", skin.LeftGraphic.Graphic, kButtonFaceColor);
    ReadGraphic(keys, folder, "panelright.graphic.", skin.RightGraphic.Graphic, kButtonFaceColor);
    ReadGraphic(keys, folder, "splitter.graphic.", skin.SplitterGraphic.Graphic, kButtonFaceColor);
    ReadGraphic(keys, folder, "popup.sidbar.graphic.", skin.Popup.SideBar, kButtonFaceColor);

    skin.TreeView.Border = ReadSkinBool(keys, "treeview.border", true);
    skin.ListBox.Border = ReadSkinBool(keys, "listbox.border", true);
    skin.InputBox.Border = ReadSkinBool(keys, "inputbox.border", true);
    skin.TreeView.LineButton = ReadSkinBool(keys, "treeview.linebutton", true);
    skin.ListBox.Limit = ReadSkinBool(keys, "listbox.limit", false);
    return true;
}

}  // namespace zanmel::skin
