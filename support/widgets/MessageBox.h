#pragma once

#include "IMessageBox.h"

#include <QString>

class AppInfo;
class QWidget;

/// Message boxes on QMessageBox, owned by the active window.
class MessageBox final : public IMessageBox {
public:
    explicit MessageBox(QString caption);
    void ShowError(const Failure& pending, const QString& message) override;
    void ShowFailure(const QString& text) override;
    void Inform(const QString& text) override;
    bool AskOkCancel(const QString& text) override;

private:
    QString mCaption;
};

/// The program's modal about box for `owner`: its title and version, then `name`, under the
/// program's icon.
void ShowAbout(QWidget* owner, const AppInfo& app, const QString& name);
