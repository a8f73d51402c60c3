#pragma once

#include "platform/Window.h"

namespace zanmel {

// The main window. Its controls, menus and handlers are added by the parts of the program that own them.
class TForm1 : public platform::Window {
public:
    static constexpr wchar_t kClassName[] = L"TForm1";

    TForm1();
    void Show(int showCommand);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace zanmel
