#pragma once

#include <QString>

/// Remembered values (the folders of the dialogs) in the program's QSettings store, which
/// outlive the store object and the run. The store is chosen by the organisation and application
/// names that start-up sets. Both operations throw Failure when the store cannot be read or
/// written.
class FolderMemory {
public:
    /// The value last written under section and key, or `defaultValue` when there is none.
    QString ReadValue(const QString& section, const QString& key, const QString& defaultValue);
    void WriteValue(const QString& section, const QString& key, const QString& value);
};
