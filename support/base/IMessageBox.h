#pragma once

#include "Failure.h"

#include <QString>

/// The one way to tell the user something, by what it means to them: a failure, news, or a
/// question. A window shows each as a modal message box captioned with the application title
/// (the stop icon for a failure, the information icon for news, the warning icon and OK and
/// Cancel for a question); a console prints them.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    /// A failure: the message, followed by the error; an empty message shows the error alone.
    virtual void ShowError(const Failure& pending, const QString& message) = 0;
    /// A failure the sentence says all about, without an error of its own.
    virtual void ShowFailure(const QString& text) = 0;
    /// News that needs no answer, such as work done.
    virtual void Inform(const QString& text) = 0;
    /// Asks before going on; true when the user chose OK. A message box that cannot ask answers
    /// Cancel, so that nothing is done unasked.
    virtual bool AskOkCancel(const QString& text) = 0;
};
