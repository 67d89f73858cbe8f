#pragma once

#include "IMessageBox.h"

#include <optional>
#include <vector>

/// Messages of work on another thread, kept in order and shown afterwards on the window's thread
/// (a message box belongs to it). Replaying passes on a failure of a box, as showing it at once
/// would have.
class CDeferredMessages final : public IMessageBox {
public:
    void MsgBox(const std::u16string& text, std::int32_t style) override {
        mMessages.push_back({text, style, std::nullopt});
    }
    void ShowError(const CError& pending, const std::u16string& message) override {
        mMessages.push_back({message, 0, pending});
    }

    /// Shows every kept message through `to`, in the order they came.
    void Replay(IMessageBox& to) {
        std::vector<Message> messages;
        messages.swap(mMessages);
        for (const Message& message : messages) {
            if (message.error)
                to.ShowError(*message.error, message.text);
            else
                to.MsgBox(message.text, message.style);
        }
    }

private:
    struct Message {
        std::u16string text;
        std::int32_t style;
        std::optional<CError> error;
    };
    std::vector<Message> mMessages;
};
