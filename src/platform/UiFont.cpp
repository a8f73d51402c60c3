#include "platform/UiFont.h"

#include "platform/Dpi.h"
#include "platform/Handles.h"

namespace zanmel::platform {

bool HasJapaneseFace(const std::wstring& face) {
    if (face.empty() || face.size() >= LF_FACESIZE) return false;
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    face.copy(query.lfFaceName, face.size());
    const WindowDc screen(nullptr);
    bool found = false;
    EnumFontFamiliesExW(
        screen.Get(), &query,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring JapaneseFaceOr(const std::wstring& wanted) {
    if (HasJapaneseFace(wanted)) return wanted;
    static const wchar_t* const kFaces[] = {L"Meiryo UI",  L"Yu Gothic UI", L"MS UI Gothic", L"MS PGothic",
                                            L"IPAPGothic", L"IPAGothic",    L"VL PGothic",   L"Noto Sans CJK JP"};
    for (const wchar_t* face : kFaces) {
        if (HasJapaneseFace(face)) return face;
    }
    return wanted;
}

FontHandle CreateUiFont(UINT dpi) {
    const LOGFONTW message = MessageFontForDpi(dpi ? dpi : WindowDpi(nullptr));
    LOGFONTW font = message;
    const std::wstring face = JapaneseFaceOr(font.lfFaceName);
    face.copy(font.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    font.lfFaceName[std::min<std::size_t>(face.size(), LF_FACESIZE - 1)] = L'\0';
    if (face != message.lfFaceName) font.lfCharSet = SHIFTJIS_CHARSET;
    return FontHandle(CreateFontIndirectW(&font));
}

}  // namespace zanmel::platform
