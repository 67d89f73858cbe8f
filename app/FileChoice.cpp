#include "FileChoice.h"

#include "ColorsAndPaths.h"
#include "Failure.h"
#include "FolderMemory.h"
#include "IFileDialog.h"

std::optional<std::u16string> ChooseFile(IFileDialog& dialog, QWidget* owner,
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

    std::u16string file = dialog.SelectedFile();
    if (chosenType != nullptr)
        *chosenType = dialog.SelectedFilterIndex();
    RememberFolderOf(question.key, file);
    return file;
}

void RememberFolderOf(std::u16string_view key, const std::u16string& file) {
    RememberValue(key, GetFilePath(file));
}

std::u16string RememberedFolder(std::u16string_view key) {
    return RememberedValue(key);
}

std::u16string RememberedValue(std::u16string_view key) {
    try {
        return FolderMemory().ReadValue(std::u16string(kRememberedFolders), std::u16string(key),
                                        u"");
    } catch (const Failure&) {
        // A store that cannot be read costs only a convenience: the dialog opens elsewhere.
        return {};
    }
}

void RememberValue(std::u16string_view key, const std::u16string& value) {
    try {
        FolderMemory().WriteValue(std::u16string(kRememberedFolders), std::u16string(key), value);
    } catch (const Failure&) {
        // A store that cannot be written costs only a convenience: the next dialog opens elsewhere.
    }
}
