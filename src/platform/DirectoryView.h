#pragma once

#include <string_view>

namespace zanmel::platform {

// The progress display of long folder walks (the directory view window): the walk runs only while it is
// shown, and closing it is how the user interrupts.
class DirectoryView {
public:
    virtual ~DirectoryView() = default;
    virtual bool IsShown() const = 0;
    // Shows the path of the entry being handled (the window's second line).
    virtual void ShowPath(std::string_view path) = 0;
};

}  // namespace zanmel::platform
