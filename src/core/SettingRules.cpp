#include "core/SettingRules.h"

namespace zanmel {

const std::vector<std::string>& MouseTriggerNames() {
    static const std::vector<std::string> names = {
        "なし",
        "Ｃｔｒｌ  ＋ 右クリック",
        "Ｓｈｉｆｔ ＋ 右クリック",
        "くるくるマウス(時計まわり)",
        "くるくるマウス(反時計まわり)",
        "Ｃｔｒｌ  ＋ Ｓｈｉｆｔ ＋ 左クリック",
        "Ｃｔｒｌ  ＋ Alt    ＋左クリック",
        "Ｓｈｉｆｔ ＋ Alt    ＋  左クリック",
    };
    return names;
}

const std::vector<std::string>& ImeModeNames() {
    static const std::vector<std::string> names = {"IMEはOFF(推奨)", "IMEはON", "前回の状態を記憶する"};
    return names;
}

int ListSelection(std::int32_t stored, std::size_t count) {
    return stored >= 0 && static_cast<std::size_t>(stored) < count ? stored : -1;
}

bool IsHotKeyAccepted(std::uint16_t virtualKey) {
    return virtualKey == ' ' || (virtualKey >= 'A' && virtualKey <= 'Z');
}

namespace {

std::string ModifierText(const THotKeyRecord& key) {
    std::string text;
    if (key.Ctrl) text += "Ctrl + ";
    if (key.Shift) text += "Shift + ";
    if (key.Alt) text += "Alt + ";
    return text;
}

std::string KeyName(std::uint16_t virtualKey) {
    return virtualKey == ' ' ? std::string("Space") : std::string(1, static_cast<char>(virtualKey));
}

}  // namespace

std::string HotKeyText(const THotKeyRecord& key) {
    if (!key.Use || !IsHotKeyAccepted(key.VK)) return "";
    return ModifierText(key) + KeyName(key.VK);
}

std::string TypeHotKey(THotKeyRecord& key, bool ctrl, bool shift, bool alt, std::uint16_t virtualKey) {
    key.Ctrl = ctrl;
    key.Shift = shift;
    key.Alt = alt;
    key.Win = false;
    if (!IsHotKeyAccepted(virtualKey)) {
        key.Use = false;
        return "";
    }
    key.VK = virtualKey;
    key.Use = true;
    return ModifierText(key) + KeyName(virtualKey);
}

CornerPositions CornerPositionsOf(std::uint8_t mask) {
    CornerPositions positions{};
    for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = (mask >> i) & 1U;
    return positions;
}

std::uint8_t CornerMaskOf(const CornerPositions& positions) {
    unsigned mask = 0;
    for (std::size_t i = 0; i < positions.size(); ++i)
        if (positions[i]) mask |= 1U << i;
    return static_cast<std::uint8_t>(mask);
}

}  // namespace zanmel
