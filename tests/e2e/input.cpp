// SendInput for the keys and clicks, SetCursorPos for the pointer.
#include "tests/e2e/input.h"

#include "tests/e2e/wait.h"
#include "tests/e2e/window_facts.h"

namespace e2e {
namespace {

INPUT MouseEvent(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

} // namespace

void MovePointer(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    WaitUntil([screen] {
        const POINT now = PointerPosition();
        return now.x == screen.x && now.y == screen.y;
    });
}

POINT PointerPosition() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

void MouseClick(POINT screen, bool right) {
    MovePointer(screen);
    SendEvents({MouseEvent(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                MouseEvent(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

INPUT KeyEvent(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    // The arrow keys and the keys above them are extended keys, not those of the number pad.
    const bool extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void SendEvents(std::vector<INPUT> events) {
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

void PressKey(WORD vk, const std::vector<WORD>& modifiers) {
    std::vector<INPUT> events;
    for (WORD modifier : modifiers) {
        events.push_back(KeyEvent(modifier, false));
    }
    events.push_back(KeyEvent(vk, false));
    events.push_back(KeyEvent(vk, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        events.push_back(KeyEvent(*it, true));
    }
    SendEvents(events);
}

void ClickButton(HWND button) {
    SendWithTimeout(button, BM_CLICK, 0, 0);
}

} // namespace e2e
