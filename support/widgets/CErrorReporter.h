#pragma once

#include "IErrorReporter.h"

#include <QString>

/// Error reports on QMessageBox with the stop icon, owned by the active window.
class CErrorReporter final : public IErrorReporter {
public:
    explicit CErrorReporter(std::u16string caption);
    void ShowError(const CError& pending, std::int32_t style, std::int32_t flags,
                   const std::u16string& message) override;

    /// The message text, an empty line, then the error's number and description.
    static QString ReportText(const CError& pending, const std::u16string& message);

private:
    std::u16string mCaption;
};
