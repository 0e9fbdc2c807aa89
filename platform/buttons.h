// Check boxes and command buttons, on the system's BUTTON control.
#pragma once

#include "platform/control.h"

#include <cstdint>

namespace platform {

class CheckBox : public Control {
  public:
    void Create(Form& form, const ChildDesign& child, const wchar_t* caption);
    // 0 unticked, 1 ticked, 2 grey.
    std::int16_t Value() const;
};

class CommandButton : public Control {
  public:
    // A default button is pressed by Enter.
    void Create(Form& form, const ChildDesign& child, const wchar_t* caption,
                bool isDefault = false);
};

} // namespace platform
