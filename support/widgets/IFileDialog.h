#pragma once

#include <cstdint>
#include <string>

class QWidget;

/// The open and save dialogs. Set what the dialog needs, show it, then read the chosen path.
/// Every operation may throw CError.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;

    /// After a successful ShowOpen or ShowSave: the full path chosen, the same on every read.
    virtual std::u16string SelectedFile() const = 0;
    virtual void OwnerWindow(QWidget* owner) = 0;
    /// File types as "label|patterns|label|patterns", the patterns of one type joined by ";".
    virtual void Filter(const std::u16string& filter) = 0;
    /// The file type selected when the dialog opens, by its place in the filter (0 for the
    /// first); a place the filter does not have leaves the first selected.
    virtual void FilterIndex(std::int32_t index) = 0;
    /// After a successful ShowOpen or ShowSave: the place in the filter of the file type selected
    /// when the user chose the file, -1 when none is known.
    virtual std::int32_t SelectedFilterIndex() const = 0;
    /// Save only: the path proposed to the user.
    virtual void DefaultFileName(const std::u16string& path) = 0;
    /// The folder to open in; empty when none is remembered.
    virtual void InitialFolder(const std::u16string& folder) = 0;
    /// True when a file was chosen, false when the user cancelled.
    virtual bool ShowOpen() = 0;
    virtual bool ShowSave() = 0;
};
