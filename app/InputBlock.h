#pragma once

#include <QPointer>
#include <QWidget>

/// While it lives, the window takes no input: disabled, as Qt shows it, and given back the focus
/// it had once it is enabled again. A window disabled already is left as it is.
class InputBlock {
public:
    explicit InputBlock(QWidget* window)
        : mWindow(window != nullptr && window->isEnabled() ? window : nullptr) {
        if (mWindow == nullptr)
            return;
        mFocus = mWindow->focusWidget();
        mWindow->setEnabled(false);
    }
    ~InputBlock() {
        if (mWindow == nullptr)
            return;
        mWindow->setEnabled(true);
        if (mFocus != nullptr)
            mFocus->setFocus();
    }
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

private:
    QPointer<QWidget> mWindow;
    QPointer<QWidget> mFocus;
};
