#pragma once

#include <string>

/// Remembered values (the folders of the dialogs) in the program's QSettings store, which
/// outlive the store object and the run. The store is chosen by the organisation and application
/// names that start-up sets. Both operations throw Failure when the store cannot be read or
/// written.
class FolderMemory {
public:
    /// The value last written under section and key, or `defaultValue` when there is none.
    std::u16string ReadValue(const std::u16string& section, const std::u16string& key,
                             const std::u16string& defaultValue);
    void WriteValue(const std::u16string& section, const std::u16string& key,
                    const std::u16string& value);
};
