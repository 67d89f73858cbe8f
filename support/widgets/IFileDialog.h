#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

class QWidget;

/// One file type a dialog offers: its name as the user reads it and the patterns of its files
/// ("*.png"; "*" for every file). A type without patterns is not listed, yet keeps its place.
struct FileType {
    QString label;
    QStringList patterns;
};

/// The open and save dialogs. Set what the dialog needs, show it, then read the chosen path.
/// Every operation may throw Failure.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;

    /// After a successful ShowOpen or ShowSave: the full path chosen (the system's bytes), the
    /// same on every read.
    virtual std::string SelectedFile() const = 0;
    virtual void OwnerWindow(QWidget* owner) = 0;
    /// The file types offered, in the order listed.
    virtual void FileTypes(const std::vector<FileType>& types) = 0;
    /// The file type selected when the dialog opens, by its place in the file types (0 for the
    /// first); a place they do not have leaves the first selected.
    virtual void FilterIndex(std::int32_t index) = 0;
    /// After a successful ShowOpen or ShowSave: the place in the file types of the one selected
    /// when the user chose the file, -1 when none is known.
    virtual std::int32_t SelectedFilterIndex() const = 0;
    /// Save only: the path proposed to the user.
    virtual void DefaultFileName(const std::string& path) = 0;
    /// The folder to open in; empty when none is remembered.
    virtual void InitialFolder(const std::string& folder) = 0;
    /// True when a file was chosen, false when the user cancelled.
    virtual bool ShowOpen() = 0;
    virtual bool ShowSave() = 0;
};
