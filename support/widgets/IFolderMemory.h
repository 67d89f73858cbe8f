#pragma once

#include <string>

class CAppObject;

/// Remembered values (the folders of the dialogs) that outlive the store object and the run.
/// Both operations may throw CError.
class IFolderMemory {
public:
    virtual ~IFolderMemory() = default;

    /// The value last written under section and key, or `defaultValue` when there is none.
    virtual std::u16string ReadValue(const std::u16string& section, const std::u16string& key,
                                     const CAppObject& app, const std::u16string& defaultValue) = 0;
    virtual void WriteValue(const std::u16string& section, const std::u16string& key,
                            const std::u16string& value, const CAppObject& app) = 0;
};
