#pragma once

#include "IFileDialog.h"

#include <QString>

/// The open and save dialogs on QFileDialog.
class CFileDialog final : public IFileDialog {
public:
    std::u16string SelectedFile() const override;
    void OwnerWindow(QWidget* owner) override { mOwner = owner; }
    void Filter(const std::u16string& filter) override;
    void DialogOptions(std::int32_t options) override { mOptions = options; }
    void DefaultFileName(const std::u16string& path) override;
    void InitialFolder(const std::u16string& folder) override;
    bool ShowOpen() override;
    bool ShowSave() override;

private:
    bool Show(bool save);

    QWidget* mOwner = nullptr;
    QString mFilter;
    std::int32_t mOptions = 0;
    QString mDefaultFileName;
    QString mInitialFolder;
    QString mSelectedFile;
};
