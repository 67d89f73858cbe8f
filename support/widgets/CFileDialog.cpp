#include "CFileDialog.h"

#include "modFilterText.h"
#include "modQtText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

std::u16string CFileDialog::SelectedFile() const {
    return FromQString(mSelectedFile);
}

void CFileDialog::Filter(const std::u16string& filter) {
    mFilters = QtNameFilters(filter);
}

void CFileDialog::DefaultFileName(const std::u16string& path) {
    mDefaultFileName = ToQString(path);
}

void CFileDialog::InitialFolder(const std::u16string& folder) {
    mInitialFolder = ToQString(folder);
}

bool CFileDialog::ShowOpen() {
    return Show(false);
}

bool CFileDialog::ShowSave() {
    return Show(true);
}

bool CFileDialog::Show(bool save) {
    QFileDialog dialog(mOwner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList types = mFilters;
    types.removeAll(QString());
    if (!types.isEmpty())
        dialog.setNameFilters(types);
    if (mFilterIndex >= 0 && mFilterIndex < mFilters.size() && !mFilters[mFilterIndex].isEmpty())
        dialog.selectNameFilter(mFilters[mFilterIndex]);

    // The remembered folder wins over the folder of the proposed name: remembering it would be
    // pointless otherwise. The proposed name keeps its own folder only while nothing is remembered.
    const bool remembered = !mInitialFolder.isEmpty() && QDir(mInitialFolder).exists();
    if (remembered)
        dialog.setDirectory(mInitialFolder);
    if (save && !mDefaultFileName.isEmpty()) {
        if (remembered)
            dialog.selectFile(QFileInfo(mDefaultFileName).fileName());
        else
            dialog.selectFile(mDefaultFileName);
    }

    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return false;
    mSelectedFile = chosen.first();
    mSelectedFilterIndex =
        types.isEmpty() ? -1
                        : static_cast<std::int32_t>(mFilters.indexOf(dialog.selectedNameFilter()));
    return true;
}
