// Input as a user gives it: the pointer, clicks and keys through the system's input queue, and
// a button pressed by message.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// The pointer; MovePointer waits until the system reports it there.
void MovePointer(POINT screen);
POINT PointerPosition();
// A real left (or right) click at a point of the screen (moves the pointer there).
void MouseClick(POINT screen, bool right = false);

// One key going down or up, for SendEvents (keys and clicks through the input queue, in order).
INPUT KeyEvent(WORD vk, bool up);
void SendEvents(std::vector<INPUT> events);
// Presses and releases a key with modifiers held (VK_CONTROL, VK_SHIFT, VK_MENU), through the
// system's input queue: it goes to the foreground window like a typed key. The modifiers are
// let go in the reverse order, so the first of them is the last key to come up.
void PressKey(WORD vk, const std::vector<WORD>& modifiers = {});

// Clicks a button by message, as the keyboard or an accessibility tool would.
void ClickButton(HWND button);

} // namespace e2e
