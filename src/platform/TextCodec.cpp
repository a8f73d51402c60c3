#include "platform/TextCodec.h"

#include <windows.h>

#include <climits>

namespace zanmel::platform {

namespace {
constexpr UINT kCodePage = 932;
}

std::wstring ToWide(std::string_view cp932) {
    if (cp932.empty() || cp932.size() > INT_MAX) return {};
    const int size = static_cast<int>(cp932.size());
    const int needed = MultiByteToWideChar(kCodePage, 0, cp932.data(), size, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(kCodePage, 0, cp932.data(), size, wide.data(), needed);
    return wide;
}

std::string ToCp932(std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const int size = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(kCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string text(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kCodePage, 0, wide.data(), size, text.data(), needed, nullptr, nullptr);
    return text;
}

std::string Win32Cp932Codec::Cp932ToUtf8(std::string_view cp932) const {
    const std::wstring wide = ToWide(cp932);
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const int size = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

}  // namespace zanmel::platform
