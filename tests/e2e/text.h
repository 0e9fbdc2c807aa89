// Wide texts of windows in GoogleTest's narrow messages.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

// Plain ASCII for messages; anything else shows as '?'.
inline std::string Narrow(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text) {
        out += (c > 0 && c < 128) ? static_cast<char>(c) : '?';
    }
    return out;
}

} // namespace e2e
