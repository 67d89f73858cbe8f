#include "modKeys.h"

std::int32_t VirtualKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vbKeyF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Space:
        return vbKeySpace;
    case Qt::Key_Escape:
        return vbKeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    default:
        return 0;
    }
}

std::int32_t ModifierMask(Qt::KeyboardModifiers modifiers) {
    std::int32_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= vbShiftMask;
    if (modifiers & Qt::ControlModifier)
        mask |= vbCtrlMask;
    if (modifiers & Qt::AltModifier)
        mask |= vbAltMask;
    return mask;
}
