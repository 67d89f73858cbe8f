#pragma once

#include "IFolderMemory.h"

/// Remembered values in the program's QSettings store. The store is chosen by the organisation
/// and application names that start-up sets, so the application object is not needed here.
class CFolderMemory final : public IFolderMemory {
public:
    std::u16string ReadValue(const std::u16string& section, const std::u16string& key,
                             const CAppObject& app, const std::u16string& defaultValue) override;
    void WriteValue(const std::u16string& section, const std::u16string& key,
                    const std::u16string& value, const CAppObject& app) override;
};
