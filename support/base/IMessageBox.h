#pragma once

#include "CError.h"

#include <cstdint>
#include <string>

/// A plain modal message box with one OK button, captioned with the application title: a
/// sentence, or a failure shown together with the pending error's number and description.
class IMessageBox {
public:
    static constexpr std::int32_t kOkCancel = 1;
    static constexpr std::int32_t kStopIcon = 16;
    static constexpr std::int32_t kQuestionIcon = 32;
    static constexpr std::int32_t kExclamationIcon = 48;
    static constexpr std::int32_t kInformationIcon = 64;

    virtual ~IMessageBox() = default;
    virtual void MsgBox(const std::u16string& text, std::int32_t style) = 0;
    /// Shows the message with the stop icon, followed by the error; an empty message shows the
    /// error alone.
    virtual void ShowError(const CError& pending, const std::u16string& message) = 0;
    /// Asks with OK and Cancel under the icon of `style`; true when the user chose OK. A message
    /// box that cannot ask answers Cancel, so that nothing is done unasked.
    virtual bool AskOkCancel(const std::u16string& /*text*/, std::int32_t /*style*/) {
        return false;
    }
};
