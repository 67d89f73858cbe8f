#pragma once

#include "IMessageBox.h"

#include <string>

class AppInfo;
class QWidget;

/// Message boxes on QMessageBox, owned by the active window.
class MessageBox final : public IMessageBox {
public:
    explicit MessageBox(std::u16string caption);
    void ShowError(const Failure& pending, const std::u16string& message) override;
    void ShowFailure(const std::u16string& text) override;
    void Inform(const std::u16string& text) override;
    bool AskOkCancel(const std::u16string& text) override;

private:
    std::u16string mCaption;
};

/// The program's modal about box for `owner`: its title and version, then `name`, under the
/// program's icon.
void ShowAbout(QWidget* owner, const AppInfo& app, const std::u16string& name);
