#pragma once

// Fakes of the window's components, sharing one record of what they were asked, and helpers to
// drive the main window offscreen.

#include "CMainServices.h"
#include "IDeferredCalls.h"
#include "IErrorReporter.h"
#include "IMessageBox.h"
#include "IPictureServices.h"
#include "IScreen.h"

#include <QImage>
#include <QSize>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class frmMain;
class QPushButton;
class QWidget;

std::string U8(const std::u16string& text);
std::u16string U16(const std::string& text);

/// What one fake file dialog was given.
struct DialogRecord {
    bool hasInitialFolder = false;
    std::u16string initialFolder;
    bool hasFilter = false;
    std::u16string filter;
    std::int32_t options = -1;
    bool hasDefaultFileName = false;
    std::u16string defaultFileName;
    QWidget* owner = nullptr;
};

struct ErrorRecord {
    std::int32_t number;
    std::u16string description;
    std::int32_t style;
    std::u16string message;
};

struct AboutRecord {
    QWidget* owner;
    std::u16string title;
    std::u16string text;
    bool hasPicture;
    std::u16string name;
};

/// All fakes in one place: set what they should do, then read what happened.
class FakeComponents final : public IPictureServices,
                             public IErrorReporter,
                             public IMessageBox,
                             public IScreen,
                             public IDeferredCalls {
public:
    FakeComponents();
    CMainServices& Services() { return mServices; }

    // What the next dialogs do.
    bool chooseFile = true;
    std::u16string chosenPath = u"/pictures/cat.png";
    /// Names of operations that throw: "ReadValue", "WriteValue", "Filter", "ShowSave",
    /// "GetPictureFilter", "DefaultFileName", "MakeDialog", "ShowError", ...
    std::set<std::string> failing;

    // Picture services.
    std::u16string pictureFilter = u"Картинки|*.png;*.bmp|Все файлы|*.*";
    QImage picture;
    bool loadFails = false;
    /// Load with the program's own loader instead of yielding `picture`.
    bool realLoader = false;

    // Screen.
    bool noScreen = false;
    bool copyFails = false;
    float unitsPerPixel = 15.0f;

    // What happened.
    std::vector<std::string> log;
    std::vector<DialogRecord> dialogs;
    int dialogsAlive = 0;
    int memoriesMade = 0;
    std::map<std::u16string, std::u16string> store; ///< "section/key" -> value
    std::vector<ErrorRecord> errors;
    std::vector<std::pair<std::u16string, std::int32_t>> boxes;
    std::vector<AboutRecord> abouts;
    std::vector<QSize> copies;
    int screensReleased = 0;
    int invalidated = 0;
    std::vector<std::function<void()>> deferred;

    /// Runs the deferred calls as the event loop would.
    void RunDeferred();
    void Fail(const std::string& operation) const;

    std::u16string GetPictureFilter() override;
    QImage LoadPictureFile(const std::u16string& path) override;
    void ShowAbout(QWidget* owner, const CAppObject& app, const std::u16string& text,
                   const QImage& picture, const std::u16string& name) override;
    void ShowError(const CError& pending, std::int32_t style, std::int32_t flags,
                   const std::u16string& message) override;
    void MsgBox(const std::u16string& text, std::int32_t style) override;
    std::unique_ptr<IScreenContext> GetDC() override;
    void InvalidateRect() override;
    void CallSoon(QObject* context, std::function<void()> call) override;

private:
    CMainServices mServices;
};

/// A button of the main window by its name.
QPushButton* Button(frmMain& window, const char* name);
/// Presses a key on the widget that has the focus in the window, as the keyboard would.
void PressKey(frmMain& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// A picture of the given size with a different colour in every pixel.
QImage TestPicture(int width, int height);
/// Loads `path` through the load button, the fakes yielding `picture`.
void LoadThroughButton(frmMain& window, FakeComponents& fakes, const std::u16string& path,
                       const QImage& picture);
