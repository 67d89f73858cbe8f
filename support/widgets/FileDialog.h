#pragma once

#include "IFileDialog.h"

#include <QString>
#include <QStringList>

class QFileDialog;

/// The open and save dialogs on QFileDialog, Qt's own rather than the desktop's: its words and its
/// sizes and dates are in the run's language. In the save dialog the proposed name's extension
/// follows the file type chosen, as long as the name is the one proposed.
class FileDialog final : public IFileDialog {
public:
    std::string SelectedFile() const override;
    void OwnerWindow(QWidget* owner) override { mOwner = owner; }
    void FileTypes(const std::vector<FileType>& types) override;
    void FilterIndex(std::int32_t index) override { mFilterIndex = index; }
    std::int32_t SelectedFilterIndex() const override { return mSelectedFilterIndex; }
    void DefaultFileName(const std::string& path) override;
    void InitialFolder(const std::string& folder) override;
    bool ShowOpen() override;
    bool ShowSave() override;

private:
    bool Show(bool save);
    /// Once the dialog shows the proposed name: a file type of one extension chosen puts that
    /// extension in place of the one the name has, unless the user has changed the name.
    void FollowChosenType(QFileDialog& dialog) const;

    QWidget* mOwner = nullptr;
    /// Qt's name filters, "label (pattern pattern)", one for each file type, so that a type's
    /// place is the same in both; empty for a type without patterns.
    QStringList mFilters;
    std::int32_t mFilterIndex = 0;
    std::int32_t mSelectedFilterIndex = -1;
    QString mDefaultFileName;
    QString mInitialFolder;
    QString mSelectedFile;
};
