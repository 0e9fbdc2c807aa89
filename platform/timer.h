// A periodic timer of a form: while enabled, the form receives its ticks.
#pragma once

namespace platform {

class Form;

class Timer {
  public:
    // Ends the program with a report when an enabled timer cannot be started.
    void Create(Form& form, int id, const wchar_t* name, unsigned intervalMs, bool enabled);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    int Id() const noexcept { return id_; }

  private:
    Form* form_ = nullptr;
    int id_ = 0;
    const wchar_t* name_ = L"";
    unsigned interval_ = 0;
    bool enabled_ = false;
};

} // namespace platform
