#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zanmel::platform {

// Control identifiers of the text query dialog, for tests that drive it.
constexpr int kTextQueryPromptId = 100;
constexpr int kTextQueryEditId = 101;

// A modal one-line text query built in code: the prompt (several lines allowed), an edit box holding the
// initial text selected, OK and Cancel. The entered text, or nothing when cancelled.
std::optional<std::wstring> RunTextQueryDialog(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                               const std::wstring& initialText);

}  // namespace zanmel::platform
