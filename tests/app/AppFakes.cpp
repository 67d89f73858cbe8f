#include "AppFakes.h"

#include "CError.h"
#include "IFileDialog.h"
#include "frmMain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QTest>
#include <gtest/gtest.h>

std::string U8(const std::u16string& text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

std::u16string U16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          std::size_t(text.size()));
}

std::u16string U16(const std::string& text) {
    return U16(QString::fromStdString(text));
}

std::u16string U16(const char* text) {
    return U16(QString::fromUtf8(text));
}

namespace {

class FakeFileDialog final : public IFileDialog {
public:
    FakeFileDialog(FakeComponents& fakes, std::size_t index) : mFakes(fakes), mIndex(index) {
        ++mFakes.dialogsAlive;
    }
    ~FakeFileDialog() override { --mFakes.dialogsAlive; }

    std::u16string SelectedFile() const override {
        mFakes.Fail("SelectedFile");
        return mFakes.chosenPath;
    }
    void OwnerWindow(QWidget* owner) override {
        mFakes.Fail("OwnerWindow");
        Record().owner = owner;
    }
    void Filter(const std::u16string& filter) override {
        mFakes.Fail("Filter");
        Record().hasFilter = true;
        Record().filter = filter;
    }
    void FilterIndex(std::int32_t index) override {
        mFakes.Fail("FilterIndex");
        Record().filterIndex = index;
    }
    std::int32_t SelectedFilterIndex() const override {
        mFakes.Fail("SelectedFilterIndex");
        if (mFakes.chosenFilterIndex)
            return *mFakes.chosenFilterIndex;
        const std::int32_t offered = mFakes.dialogs[mIndex].filterIndex;
        return offered < 0 ? 0 : offered;
    }
    void DialogOptions(std::int32_t options) override {
        mFakes.Fail("DialogOptions");
        Record().options = options;
    }
    void DefaultFileName(const std::u16string& path) override {
        mFakes.Fail("DefaultFileName");
        Record().hasDefaultFileName = true;
        Record().defaultFileName = path;
    }
    void InitialFolder(const std::u16string& folder) override {
        mFakes.Fail("InitialFolder");
        Record().hasInitialFolder = true;
        Record().initialFolder = folder;
    }
    bool ShowOpen() override {
        mFakes.Fail("ShowOpen");
        mFakes.log.push_back("ShowOpen");
        return mFakes.chooseFile;
    }
    bool ShowSave() override {
        mFakes.Fail("ShowSave");
        mFakes.log.push_back("ShowSave");
        return mFakes.chooseFile;
    }

private:
    DialogRecord& Record() { return mFakes.dialogs[mIndex]; }

    FakeComponents& mFakes;
    std::size_t mIndex;
};

QString StoreKey(const char* key) {
    return QStringLiteral("OFN Paths/") + QString::fromUtf8(key);
}

} // namespace

FakeComponents::FakeComponents()
    : mServices{[this]() -> std::unique_ptr<IFileDialog> {
                    dialogs.emplace_back();
                    return std::make_unique<FakeFileDialog>(*this, dialogs.size() - 1);
                },
                *this, *this} {
    QSettings settings;
    settings.clear();
    settings.sync();
}

std::u16string FakeComponents::PicturePath(const char* name) const {
    return U16(pictures.filePath(QString::fromUtf8(name)));
}

void FakeComponents::Fail(const std::string& operation) const {
    if (failing.count(operation) != 0)
        throw CError(5, U16(operation) + u" failed");
}

void FakeComponents::MsgBox(const std::u16string& text, std::int32_t style) {
    log.push_back("MsgBox " + U8(text));
    boxes.emplace_back(text, style);
}

void FakeComponents::ShowError(const CError& pending, const std::u16string& message) {
    log.push_back("ShowError");
    errors.push_back({pending.Number(), pending.Description(), message});
    Fail("ShowError");
}

bool FakeComponents::AskOkCancel(const std::u16string& text, std::int32_t style) {
    log.push_back("AskOkCancel " + U8(text));
    boxes.emplace_back(text, style);
    return answerOk;
}

FlashResult FakeComponents::Show(const QImage& picture) {
    flashes.push_back(picture);
    return flashResult;
}

void FakeComponents::Hide() {
    ++hides;
}

std::u16string Remembered(const char* key) {
    return U16(QSettings().value(StoreKey(key)).toString());
}

void Remember(const char* key, const std::u16string& folder) {
    QSettings settings;
    settings.setValue(StoreKey(key), QString::fromUtf16(folder.data(), qsizetype(folder.size())));
    settings.sync();
}

BrokenStore::BrokenStore() : mFile(QSettings().fileName()) {
    // A folder where the store's file should be: it can be neither read nor written.
    QFile::remove(mFile);
    EXPECT_TRUE(QDir().mkpath(mFile));
}

BrokenStore::~BrokenStore() {
    QDir().rmdir(mFile);
}

BoxCloser::BoxCloser() {
    mTimer.setInterval(5);
    QObject::connect(&mTimer, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            ADD_FAILURE() << "a modal window that is no message box";
            modal->close();
            return;
        }
        boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->parentWidget()});
        box->accept();
    });
    mTimer.start();
}

bool WaitFor(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

QPushButton* Button(frmMain& window, const char* name) {
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

void PressKey(frmMain& window, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = window.focusWidget() != nullptr ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

QImage TestPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 40 % 256, y * 50 % 256, (x + y) * 30 % 256));
    return picture;
}

void LoadThroughButton(frmMain& window, FakeComponents& fakes, const char* name,
                       const QImage& picture) {
    const std::u16string path = fakes.PicturePath(name);
    ASSERT_TRUE(picture.save(QString::fromUtf16(path.data(), qsizetype(path.size())), "PNG"));
    fakes.chooseFile = true;
    fakes.chosenPath = path;
    Button(window, "cmdLoadPicture")->click();
}
