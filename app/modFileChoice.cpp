#include "modFileChoice.h"

#include "CFolderMemory.h"
#include "IFileDialog.h"
#include "KorvaneSupport.h"
#include "modSteps.h"

std::optional<std::u16string> ChooseFile(IFileDialog& dialog, QWidget* owner,
                                         const CFileQuestion& question, std::int32_t* chosenType) {
    const std::u16string section(kRememberedFolders);
    const std::u16string key(question.key);
    CFolderMemory memory;

    TryStep([&] { dialog.InitialFolder(memory.ReadValue(section, key, u"")); });
    TryStep([&] { dialog.Filter(question.filter()); });
    if (question.filterIndex >= 0)
        TryStep([&] { dialog.FilterIndex(question.filterIndex); });
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
    if (file && chosenType != nullptr) {
        *chosenType = -1;
        TryStep([&] { *chosenType = dialog.SelectedFilterIndex(); });
    }
    if (file)
        RememberFolderOf(question.key, *file);
    return file;
}

void RememberFolderOf(std::u16string_view key, const std::u16string& file) {
    RememberValue(key, ksGetFilePath(file));
}

std::u16string RememberedFolder(std::u16string_view key) {
    return RememberedValue(key);
}

std::u16string RememberedValue(std::u16string_view key) {
    std::u16string value;
    TryStep([&] {
        value =
            CFolderMemory().ReadValue(std::u16string(kRememberedFolders), std::u16string(key), u"");
    });
    return value;
}

void RememberValue(std::u16string_view key, const std::u16string& value) {
    TryStep([&] {
        CFolderMemory().WriteValue(std::u16string(kRememberedFolders), std::u16string(key), value);
    });
}
