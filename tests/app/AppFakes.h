#pragma once
// The window offscreen behind fakes of its seams: the file dialogs, the message boxes and the
// picture on the screen. Every sentence the user would read lands in `said`, as the box shows it.

#include "FileMessages.h"
#include "IFileDialog.h"
#include "IFlashWindow.h"
#include "IMessageBox.h"
#include "MainServices.h"
#include "MainWindow.h"
#include "PageTemplates.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

inline const AppInfo kApp(TESSELET_SOURCE_DIR "/resources");
inline QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
/// A different colour in every pixel; with alpha, the left half more or less see-through.
inline QImage Picture(int width, int height, bool alpha = false) {
    QImage picture(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y,
                             qRgba(x * 40 % 256, y * 50 % 256, (x + y) * 30 % 256,
                                   alpha && x < width / 2 ? (x * 60 + y * 7) % 256 : 255));
    return picture;
}

/// While it lives, acts as the user on every dialog that shows.
struct User {
    QTimer timer;
    explicit User(const std::function<void(QDialog&)>& act) {
        QObject::connect(&timer, &QTimer::timeout, [act] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                    act(*dialog);
        });
        timer.start(20);
    }
};

struct Fakes final : IMessageBox, IFlashWindow {
    struct Dialog {
        std::string folder, proposed; ///< proposed: empty for the open dialog
        QStringList types;            ///< the file types' labels
        std::int32_t offered = -1;    ///< the type offered first; -1: none chosen
    };
    std::string chosen;           ///< what the user picks in the next dialog; empty: Cancel
    std::int32_t chosenType = -1; ///< its file type; -1: not known, the one offered stays
    bool answerOk = false;
    bool dialogFails = false; ///< the next dialog fails instead of showing
    FlashResult flashResult = FlashResult::kShown;
    std::vector<Dialog> dialogs;
    std::vector<QString> said;
    bool busyWhenSaid = false; ///< the busy pointer showed over a question or "Готово ^_^"
    std::string screen;        ///< "S" each time the picture is put on the screen, "H" taken off
    QImage shown;
    MainServices services{[this] { return std::make_unique<FakeDialog>(*this); }, *this, *this};

    void ShowFailure(const QString& text) override { said.push_back(text); }
    void Inform(const QString& text) override { AskOkCancel(text); } // noted as a question is
    void ShowError(const Failure& pending, const QString& message) override {
        said.push_back((message.isEmpty() ? QString() : message + "\r\n\r\n") + ErrorLine(pending));
    }
    bool AskOkCancel(const QString& text) override {
        busyWhenSaid |= QGuiApplication::overrideCursor() != nullptr;
        said.push_back(text);
        return answerOk;
    }
    FlashResult Show(const QImage& picture) override {
        screen += flashResult == FlashResult::kShown ? "S" : "";
        shown = picture;
        return flashResult;
    }
    void Hide() override { screen += "H"; }

    struct FakeDialog final : IFileDialog {
        explicit FakeDialog(Fakes& fakes) : f(fakes) { f.dialogs.emplace_back(); }
        Fakes& f;
        std::string SelectedFile() const override { return f.chosen; }
        void OwnerWindow(QWidget*) override {}
        void FileTypes(const std::vector<FileType>& types) override {
            for (const FileType& type : types)
                f.dialogs.back().types << type.label;
        }
        void FilterIndex(std::int32_t index) override { f.dialogs.back().offered = index; }
        std::int32_t SelectedFilterIndex() const override { return f.chosenType; }
        void DefaultFileName(const std::string& p) override { f.dialogs.back().proposed = p; }
        void InitialFolder(const std::string& p) override { f.dialogs.back().folder = p; }
        bool ShowOpen() override { return ShowSave(); }
        bool ShowSave() override {
            if (f.dialogFails)
                throw Failure(5, "Сбой диалога");
            return !f.chosen.empty();
        }
    };
};

/// The main window, program folder `app`, its load button given "cat.png" of its own folder.
struct Window {
    Fakes fakes;
    QTemporaryDir dir;
    AppInfo app;
    // The bundled start-up files, as the converter reads them, so that the pages compare whole.
    MainWindow window{app, fakes.services, LoadSourceAndTemplates(kApp, fakes).value()};
    explicit Window(const QImage& picture = Picture(7, 5), AppInfo program = kApp)
        : app(std::move(program)) { // a null picture loads none
        QSettings().clear();        // nothing remembered yet
        window.show();
        // Keys go to the active window only, as the keyboard's do.
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        if (!picture.isNull() && picture.save(Path("cat.png")))
            Press("cmdLoadPicture", Path("cat.png"));
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QPushButton* Button(const char* name) {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    /// Presses `button`, `path` chosen in its dialog under `type`; waits for the window's input.
    void Press(const char* button, const QString& path, std::int32_t type = -1) {
        fakes.said.clear();
        fakes.chosen = path.toStdString();
        fakes.chosenType = type;
        Button(button)->click();
        EXPECT_TRUE(QTest::qWaitFor([this] { return window.isEnabled(); }, 120000));
        fakes.chosen.clear();
        fakes.dialogs.clear();
    }
    /// A key as the keyboard gives it: through the window system, whose shortcuts see it first.
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, quint64 time = 0,
             bool autoRepeat = false) {
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
            window.windowHandle(), time, type, key, modifiers, QString(), autoRepeat);
    }
};
