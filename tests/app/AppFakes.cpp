#include "AppFakes.h"

#include "CAppObject.h"
#include "CError.h"
#include "IFileDialog.h"
#include "IFolderMemory.h"
#include "IScreenContext.h"
#include "frmMain.h"
#include "modPictureFiles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QString>

std::string U8(const std::u16string& text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

std::u16string U16(const std::string& text) {
    const QString converted = QString::fromStdString(text);
    return std::u16string(reinterpret_cast<const char16_t*>(converted.utf16()),
                          std::size_t(converted.size()));
}

namespace {

class FakeFileDialog final : public IFileDialog {
public:
    FakeFileDialog(FakeComponents& fakes, std::size_t index) : mFakes(fakes), mIndex(index) {
        ++mFakes.dialogsAlive;
    }
    ~FakeFileDialog() override { --mFakes.dialogsAlive; }

    std::u16string SelectedFile() const override {
        Step("SelectedFile");
        return mFakes.chosenPath;
    }
    void OwnerWindow(QWidget* owner) override {
        Step("OwnerWindow");
        Record().owner = owner;
    }
    void Filter(const std::u16string& filter) override {
        Step("Filter " + U8(filter));
        Record().hasFilter = true;
        Record().filter = filter;
    }
    void DialogOptions(std::int32_t options) override {
        Step("DialogOptions " + std::to_string(options));
        Record().options = options;
    }
    void DefaultFileName(const std::u16string& path) override {
        Step("DefaultFileName " + U8(path));
        Record().hasDefaultFileName = true;
        Record().defaultFileName = path;
    }
    void InitialFolder(const std::u16string& folder) override {
        Step("InitialFolder " + U8(folder));
        Record().hasInitialFolder = true;
        Record().initialFolder = folder;
    }
    bool ShowOpen() override {
        Step("ShowOpen");
        return mFakes.chooseFile;
    }
    bool ShowSave() override {
        Step("ShowSave");
        return mFakes.chooseFile;
    }

private:
    void Step(const std::string& call) const {
        mFakes.Fail(call.substr(0, call.find(' ')));
        mFakes.log.push_back(call);
    }
    DialogRecord& Record() { return mFakes.dialogs[mIndex]; }

    FakeComponents& mFakes;
    std::size_t mIndex;
};

class FakeFolderMemory final : public IFolderMemory {
public:
    explicit FakeFolderMemory(FakeComponents& fakes) : mFakes(fakes) {}

    std::u16string ReadValue(const std::u16string& section, const std::u16string& key,
                             const CAppObject& app, const std::u16string& defaultValue) override {
        mFakes.Fail("ReadValue");
        mFakes.log.push_back("ReadValue " + U8(section) + "/" + U8(key) + " " + U8(app.Title()));
        const auto found = mFakes.store.find(section + u"/" + key);
        return found == mFakes.store.end() ? defaultValue : found->second;
    }
    void WriteValue(const std::u16string& section, const std::u16string& key,
                    const std::u16string& value, const CAppObject& app) override {
        mFakes.Fail("WriteValue");
        mFakes.log.push_back("WriteValue " + U8(section) + "/" + U8(key) + " " + U8(value) + " " +
                             U8(app.Title()));
        mFakes.store[section + u"/" + key] = value;
    }

private:
    FakeComponents& mFakes;
};

class FakeScreenContext final : public IScreenContext {
public:
    explicit FakeScreenContext(FakeComponents& fakes) : mFakes(fakes) {}
    ~FakeScreenContext() override {
        ++mFakes.screensReleased;
        mFakes.log.push_back("ReleaseDC");
    }

    float UnitsPerPixelX() const override { return mFakes.unitsPerPixel; }
    float UnitsPerPixelY() const override { return mFakes.unitsPerPixel; }
    bool BitBlt(const QImage& /*picture*/, int width, int height) override {
        mFakes.log.push_back("BitBlt " + std::to_string(width) + "x" + std::to_string(height));
        mFakes.copies.emplace_back(width, height);
        return !mFakes.copyFails;
    }

private:
    FakeComponents& mFakes;
};

} // namespace

FakeComponents::FakeComponents()
    : mServices{[this]() -> std::unique_ptr<IFileDialog> {
                    Fail("MakeDialog");
                    dialogs.emplace_back();
                    return std::make_unique<FakeFileDialog>(*this, dialogs.size() - 1);
                },
                [this]() -> std::unique_ptr<IFolderMemory> {
                    ++memoriesMade;
                    return std::make_unique<FakeFolderMemory>(*this);
                },
                *this,
                *this,
                *this,
                *this,
                *this} {}

void FakeComponents::Fail(const std::string& operation) const {
    if (failing.count(operation) != 0)
        throw CError(5, U16(operation) + u" failed");
}

void FakeComponents::RunDeferred() {
    auto calls = std::move(deferred);
    deferred.clear();
    for (auto& call : calls)
        call();
}

std::u16string FakeComponents::GetPictureFilter() {
    Fail("GetPictureFilter");
    log.push_back("GetPictureFilter");
    return pictureFilter;
}

QImage FakeComponents::LoadPictureFile(const std::u16string& path) {
    log.push_back("LoadPictureFile " + U8(path));
    if (loadFails)
        throw CError(CError::kInvalidPicture, u"Invalid picture");
    if (realLoader)
        return ::LoadPictureFile(path);
    return picture;
}

void FakeComponents::ShowAbout(QWidget* owner, const CAppObject& app, const std::u16string& text,
                               const QImage& shown, const std::u16string& name) {
    Fail("ShowAbout");
    log.push_back("ShowAbout");
    abouts.push_back({owner, app.Title(), text, !shown.isNull(), name});
}

void FakeComponents::ShowError(const CError& pending, std::int32_t style, std::int32_t /*flags*/,
                               const std::u16string& message) {
    log.push_back("ShowError");
    errors.push_back({pending.Number(), pending.Description(), style, message});
    Fail("ShowError");
}

void FakeComponents::MsgBox(const std::u16string& text, std::int32_t style) {
    log.push_back("MsgBox " + U8(text));
    boxes.emplace_back(text, style);
}

std::unique_ptr<IScreenContext> FakeComponents::GetDC() {
    log.push_back("GetDC");
    if (noScreen)
        return nullptr;
    return std::make_unique<FakeScreenContext>(*this);
}

void FakeComponents::InvalidateRect() {
    log.push_back("InvalidateRect");
    ++invalidated;
}

void FakeComponents::CallSoon(QObject* /*context*/, std::function<void()> call) {
    deferred.push_back(std::move(call));
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

void LoadThroughButton(frmMain& window, FakeComponents& fakes, const std::u16string& path,
                       const QImage& picture) {
    fakes.chooseFile = true;
    fakes.chosenPath = path;
    fakes.picture = picture;
    fakes.loadFails = false;
    Button(window, "cmdLoadPicture")->click();
}
