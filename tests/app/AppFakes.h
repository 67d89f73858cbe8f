#pragma once

// Fakes of what the window shows the user through (dialogs, message boxes, the picture on the
// screen), sharing one record of what happened, and helpers to drive the main window offscreen.

#include "CMainServices.h"
#include "IFlashWindow.h"
#include "IMessageBox.h"

#include <QImage>
#include <QMessageBox>
#include <QSize>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class frmMain;
class QPushButton;
class QWidget;

std::string U8(const std::u16string& text);
std::u16string U16(const std::string& text);
std::u16string U16(const QString& text);
std::u16string U16(const char* text);

/// What one fake file dialog was given.
struct DialogRecord {
    bool hasInitialFolder = false;
    std::u16string initialFolder;
    bool hasFilter = false;
    std::u16string filter;
    /// The file type the dialog was told to select first; -1 when it was not told.
    std::int32_t filterIndex = -1;
    std::int32_t options = -1;
    bool hasDefaultFileName = false;
    std::u16string defaultFileName;
    QWidget* owner = nullptr;
};

struct ErrorRecord {
    std::int32_t number;
    std::u16string description;
    std::u16string message;
};

/// All fakes in one place: set what they should do, then read what happened. Making one starts
/// the remembered folders afresh.
class FakeComponents final : public IMessageBox, public IFlashWindow {
public:
    FakeComponents();
    CMainServices& Services() { return mServices; }

    // What the next dialogs do.
    bool chooseFile = true;
    std::u16string chosenPath = u"/pictures/cat.png";
    /// The file type the user selects; when none, the one the dialog selected first.
    std::optional<std::int32_t> chosenFilterIndex;
    /// Operations that throw: dialog operations ("Filter", "ShowSave", ...) and "ShowError".
    std::set<std::string> failing;

    /// What the user answers to a question with OK and Cancel: true for OK.
    bool answerOk = true;

    // The picture on the screen.
    FlashResult flashResult = FlashResult::Shown;

    /// What the user saw, in order: "ShowOpen", "ShowSave", "MsgBox <text>", "ShowError",
    /// "AskOkCancel <text>".
    std::vector<std::string> log;
    std::vector<DialogRecord> dialogs;
    int dialogsAlive = 0;
    std::vector<ErrorRecord> errors;
    std::vector<std::pair<std::u16string, std::int32_t>> boxes;
    std::vector<QImage> flashes; ///< every picture put on the screen
    int hides = 0;

    /// A folder of this test's own for picture files.
    QTemporaryDir pictures;
    /// The path of `name` in `pictures`.
    std::u16string PicturePath(const char* name) const;

    void Fail(const std::string& operation) const;

    void MsgBox(const std::u16string& text, std::int32_t style) override;
    void ShowError(const CError& pending, const std::u16string& message) override;
    /// Recorded in the log and in `boxes` with its style, then answered with `answerOk`.
    bool AskOkCancel(const std::u16string& text, std::int32_t style) override;
    FlashResult Show(const QImage& picture) override;
    void Hide() override;

private:
    CMainServices mServices;
};

/// The folder remembered under "OFN Paths" and `key`, empty when there is none.
std::u16string Remembered(const char* key);
void Remember(const char* key, const std::u16string& folder);

/// While it lives, the remembered folders can be neither read nor written.
class BrokenStore {
public:
    BrokenStore();
    ~BrokenStore();

private:
    QString mFile;
};

/// What a modal message box showed.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QWidget* parent;
};

/// While it lives, closes every modal message box as soon as it shows and records it; any other
/// modal window is closed too and counted as a failure.
class BoxCloser {
public:
    BoxCloser();
    std::vector<ShownBox> boxes;

private:
    QTimer mTimer;
};

/// Runs the event loop until `done` holds, for at most a few seconds; true when it held.
bool WaitFor(const std::function<bool()>& done);

/// A button of the main window by its name.
QPushButton* Button(frmMain& window, const char* name);
/// Presses a key on the widget that has the focus in the window, as the keyboard would.
void PressKey(frmMain& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// A picture of the given size with a different colour in every pixel.
QImage TestPicture(int width, int height);
/// Writes `picture` as `name` into the fakes' picture folder and loads it through the load button.
void LoadThroughButton(frmMain& window, FakeComponents& fakes, const char* name,
                       const QImage& picture);
