#pragma once

#include "IMessageBox.h"

#include <optional>
#include <vector>

/// Messages of work on another thread, kept in order and shown afterwards on the window's thread
/// (a message box belongs to it). Replaying passes on a failure of a box, as showing it at once
/// would have.
class DeferredMessages final : public IMessageBox {
public:
    void ShowError(const Failure& pending, const QString& message) override {
        mMessages.push_back({message, Kind::kError, pending});
    }
    void ShowFailure(const QString& text) override {
        mMessages.push_back({text, Kind::kFailure, std::nullopt});
    }
    void Inform(const QString& text) override {
        mMessages.push_back({text, Kind::kNews, std::nullopt});
    }
    /// A question needs its answer before the work goes on, and cannot wait to be shown later: a
    /// walk asks none, and one put here is answered Cancel.
    bool AskOkCancel(const QString& /*text*/) override { return false; }

    /// Shows every kept message through `to`, in the order they came.
    void Replay(IMessageBox& to) {
        std::vector<Message> messages;
        messages.swap(mMessages);
        for (const Message& message : messages) {
            switch (message.kind) {
            case Kind::kError:
                to.ShowError(*message.error, message.text);
                break;
            case Kind::kFailure:
                to.ShowFailure(message.text);
                break;
            case Kind::kNews:
                to.Inform(message.text);
                break;
            }
        }
    }

private:
    enum class Kind { kError, kFailure, kNews };
    struct Message {
        QString text;
        Kind kind;
        std::optional<Failure> error;
    };
    std::vector<Message> mMessages;
};
