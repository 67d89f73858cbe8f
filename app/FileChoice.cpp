#include "FileChoice.h"

#include "ColorsAndPaths.h"
#include "Failure.h"
#include "FolderMemory.h"
#include "IFileDialog.h"

#include <QFile>

std::optional<std::string> ChooseFile(IFileDialog& dialog, QWidget* owner,
                                      const FileQuestion& question, std::int32_t* chosenType) {
    dialog.InitialFolder(RememberedFolder(question.key));
    dialog.FileTypes(question.fileTypes());
    if (question.filterIndex >= 0)
        dialog.FilterIndex(question.filterIndex);
    const bool save = static_cast<bool>(question.proposedName);
    if (save)
        dialog.DefaultFileName(question.proposedName());
    dialog.OwnerWindow(owner);
    if (!(save ? dialog.ShowSave() : dialog.ShowOpen()))
        return std::nullopt;

    std::string file = dialog.SelectedFile();
    if (chosenType != nullptr)
        *chosenType = dialog.SelectedFilterIndex();
    RememberFolderOf(question.key, file);
    return file;
}

// The settings store keeps text: a folder goes in and comes out through Qt's file-name encoding.
void RememberFolderOf(const QString& key, const std::string& file) {
    RememberValue(key, QFile::decodeName(QByteArray::fromStdString(GetFilePath(file))));
}

std::string RememberedFolder(const QString& key) {
    return QFile::encodeName(RememberedValue(key)).toStdString();
}

QString RememberedValue(const QString& key) {
    try {
        return FolderMemory().ReadValue(kRememberedFolders, key, {});
    } catch (const Failure&) {
        // A store that cannot be read costs only a convenience: the dialog opens elsewhere.
        return {};
    }
}

void RememberValue(const QString& key, const QString& value) {
    try {
        FolderMemory().WriteValue(kRememberedFolders, key, value);
    } catch (const Failure&) {
        // A store that cannot be written costs only a convenience: the next dialog opens elsewhere.
    }
}
