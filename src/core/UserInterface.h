#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zanmel {

// Everything that asks the user something goes through this interface. All texts are CP932.
// The Windows implementation shows the real message boxes and dialogs; tests install a scripted one.
class UserInterface {
public:
    // The owner window of a dialog, as an opaque handle (an HWND on Windows).
    using Owner = void*;

    virtual ~UserInterface() = default;

    // A plain message box with an OK button.
    virtual void ShowMessage(std::string_view text) = 0;
    // OK/Cancel with a warning icon; true for OK.
    virtual bool Confirm(std::string_view text) = 0;
    // A one-line text query; the entered text, or nothing when cancelled.
    virtual std::optional<std::string> QueryText(std::string_view title, std::string_view prompt,
                                                 std::string_view initialText) = 0;
    // The file-open dialog; filter in the "name|pattern|name|pattern" form. The chosen path, or nothing.
    virtual std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialFile) = 0;
    // The folder browser restricted to file-system folders; "" when cancelled.
    virtual std::string BrowseFolder(Owner owner, std::string_view title, std::string_view initialFolder) = 0;
};

}  // namespace zanmel
