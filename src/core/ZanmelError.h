#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zanmel {

// The one exception type for internal inconsistencies. Its text (CP932) begins with the name of the
// component that raised it and a line break, e.g. "KeyWordList\r\n...". It abandons the whole command;
// the callback boundary shows the text and the message loop goes on.
class ZanmelError : public std::runtime_error {
public:
    ZanmelError(std::string_view component, std::string_view message)
        : std::runtime_error(std::string(component) + "\r\n" + std::string(message)) {}

    // A text that already carries its component line.
    explicit ZanmelError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace zanmel
