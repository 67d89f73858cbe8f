#pragma once

#include <Qt>
#include <cstdint>

// Keys as the window's handlers compare them: a virtual key code and a modifier mask.

constexpr std::int32_t vbKeySpace = 32;
constexpr std::int32_t vbKeyEscape = 27;
constexpr std::int32_t vbKeyF1 = 112;

constexpr std::int32_t vbShiftMask = 1;
constexpr std::int32_t vbCtrlMask = 2;
constexpr std::int32_t vbAltMask = 4;

/// The virtual key code of a Qt key: letters, digits, Space, Enter, Tab, Esc, Backspace and F1 to
/// F24; 0 for every other key.
std::int32_t VirtualKeyCode(int qtKey);

/// Shift 1, Ctrl 2 and Alt 4, added together; other modifiers do not count.
std::int32_t ModifierMask(Qt::KeyboardModifiers modifiers);
