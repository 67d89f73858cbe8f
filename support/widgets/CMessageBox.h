#pragma once

#include "IMessageBox.h"

#include <QMessageBox>

/// Message boxes on QMessageBox, owned by the active window.
class CMessageBox final : public IMessageBox {
public:
    explicit CMessageBox(std::u16string caption);
    void MsgBox(const std::u16string& text, std::int32_t style) override;

    /// The icon of a message-box style: 16 stop, 48 exclamation, 64 information, 32 question.
    static QMessageBox::Icon IconOfStyle(std::int32_t style);

private:
    std::u16string mCaption;
};
