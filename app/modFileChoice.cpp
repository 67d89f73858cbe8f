#include "modFileChoice.h"

#include "CFolderMemory.h"
#include "IFileDialog.h"
#include "KorvaneSupport.h"
#include "modSteps.h"

std::optional<std::u16string> ChooseFile(IFileDialog& dialog, QWidget* owner,
                                         const CFileQuestion& question) {
    const std::u16string section(kRememberedFolders);
    const std::u16string key(question.key);
    CFolderMemory memory;

    TryStep([&] { dialog.InitialFolder(memory.ReadValue(section, key, u"")); });
    TryStep([&] { dialog.Filter(question.filter()); });
    TryStep([&] { dialog.DialogOptions(0); });
    const bool save = static_cast<bool>(question.proposedName);
    if (save)
        TryStep([&] { dialog.DefaultFileName(question.proposedName()); });
    TryStep([&] { dialog.OwnerWindow(owner); });
    bool chosen = false;
    TryStep([&] { chosen = save ? dialog.ShowSave() : dialog.ShowOpen(); });
    if (!chosen)
        return std::nullopt;

    std::optional<std::u16string> file;
    TryStep([&] { file = dialog.SelectedFile(); });
    if (file)
        RememberFolderOf(question.key, *file);
    return file;
}

void RememberFolderOf(std::u16string_view key, const std::u16string& file) {
    TryStep([&] {
        CFolderMemory().WriteValue(std::u16string(kRememberedFolders), std::u16string(key),
                                   ksGetFilePath(file));
    });
}

std::u16string RememberedFolder(std::u16string_view key) {
    std::u16string folder;
    TryStep([&] {
        folder =
            CFolderMemory().ReadValue(std::u16string(kRememberedFolders), std::u16string(key), u"");
    });
    return folder;
}
