#pragma once

#include <QLatin1StringView>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <vector>

#include "IFileDialog.h"

class QWidget;

/// The section of the remembered folders.
inline constexpr QLatin1StringView kRememberedFolders{"OFN Paths"};

/// What a load or save asks the user for.
struct FileQuestion {
    /// The key of the remembered folder, under "OFN Paths".
    QString key;
    /// The file types offered, made when the dialog is.
    std::function<std::vector<FileType>()> fileTypes;
    /// The name the save dialog proposes; empty for the open dialog.
    std::function<std::string()> proposedName;
    /// The file type the dialog selects first, by its place in the file types; -1 leaves the first.
    std::int32_t filterIndex = -1;
};

/// The open dialog, or the save dialog when a name is proposed, in the folder remembered for the
/// question's key, owned by `owner`; the chosen file's folder is remembered before the path is
/// returned, so that the folder of a file that then fails to load or save counts too; a failure
/// of the dialog is thrown. Nothing when cancelled. `chosenType`, when given, receives the place in
/// the file types of the one the user chose the file under, -1 when it is not known.
std::optional<std::string> ChooseFile(IFileDialog& dialog, QWidget* owner,
                                      const FileQuestion& question,
                                      std::int32_t* chosenType = nullptr);

/// Remembers the folder of `file` under `key`, as the dialog does for a chosen file; a store that
/// cannot be written is passed over.
void RememberFolderOf(const QString& key, const std::string& file);

/// The folder remembered under `key`; empty when there is none or it cannot be read.
std::string RememberedFolder(const QString& key);

/// Another value kept beside the folders under "OFN Paths" (a save dialog's file type), read and
/// written as the folders are: empty when there is none or it cannot be read; a store that cannot
/// be written is passed over.
QString RememberedValue(const QString& key);
void RememberValue(const QString& key, const QString& value);
