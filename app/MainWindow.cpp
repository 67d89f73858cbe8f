#include "MainWindow.h"

#include "BusyCursor.h"
#include "ClipboardTable.h"
#include "Failure.h"
#include "FileChoice.h"
#include "HoldKeyFilter.h"
#include "IFlashWindow.h"
#include "IMessageBox.h"
#include "Language.h"
#include "LoadPictureCommand.h"
#include "MainServices.h"
#include "MessageBox.h"
#include "PageStyle.h"
#include "PictureFiles.h"
#include "SavePictureCommand.h"
#include "ShowPictureButton.h"
#include "WindowHelpers.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QWindow>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

namespace {

// Layout in 1/1440 inch, so that the window follows the screen's dots per inch: the client area
// and a column of five buttons with a margin of 120 on all four sides.
constexpr int kUnitsPerInch = 1440;
constexpr int kClientWidth = 3795;
constexpr int kClientHeight = 3135;
constexpr int kButtonLeft = 120;
constexpr int kButtonWidth = 3555;
constexpr int kButtonHeight = 495;

struct ButtonLayout {
    const char* name;
    const char* caption; ///< the source text, translated when the button is made
    int top;
};

constexpr ButtonLayout kButtons[] = {
    {"cmdLoadPicture", QT_TRANSLATE_NOOP("Tesselet", "1. Загрузить картинку"), 120},
    {"cmdShowPicture", QT_TRANSLATE_NOOP("Tesselet", "2. Показать картинку"), 720},
    {"cmdSaveSPAN", QT_TRANSLATE_NOOP("Tesselet", "3. Сохранить SPAN картинку"), 1320},
    {"cmdSaveTABLE", QT_TRANSLATE_NOOP("Tesselet", "4. Сохранить TABLE картинку"), 1920},
    {"cmdSaveDIV", QT_TRANSLATE_NOOP("Tesselet", "5. Сохранить DIV картинку"), 2520},
};

/// The name a pasted picture's pages are proposed under, in the folder of the open dialog.
constexpr std::string_view kClipboardName = "clipboard";

/// The local file a drag or the clipboard carries, if any: the first URL that is one.
std::optional<std::string> LocalFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return QFile::encodeName(url.toLocalFile()).toStdString();
    return std::nullopt;
}

constexpr const char* kNoPictureOnClipboard =
    QT_TRANSLATE_NOOP("Tesselet", "В буфере обмена нет картинки.");

constexpr const char* kClosesWhenDone =
    QT_TRANSLATE_NOOP("Tesselet", "Окно закроется, когда работа закончится.");

/// How long a passing remark stays on the window.
constexpr int kStatusMs = 3000;

constexpr const char* kAboutName =
    QT_TRANSLATE_NOOP("Tesselet", "Собрано для тех, кто видит в картинке мозаику.");

/// Pixels for a layout length at `dotsPerInch`, rounded to the nearest pixel.
int ToPixels(int length, double dotsPerInch) {
    return static_cast<int>(std::lround(length * dotsPerInch / kUnitsPerInch));
}

QFont WindowFont() {
    // Where Tahoma is missing the platform picks its nearest sans-serif face, and any face that
    // lacks Cyrillic is filled in by Qt's font fallback.
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9); // upright, normal weight, neither underlined nor struck out, as QFont is
    return font;
}

/// Under X11 the window can be destroyed from outside (a tool, a window manager that fails)
/// without a close request; Qt does not tell, and the program would live on without a window. Its
/// destruction is taken for a close request.
class WindowDestroyedFilter final : public QAbstractNativeEventFilter {
public:
    WindowDestroyedFilter(const QWidget& window, std::function<void()> destroyed)
        : mWindow(window), mDestroyed(std::move(destroyed)) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message,
                           qintptr* /*result*/) override {
        // The core protocol's DestroyNotify: the event's code in its first byte (the top bit
        // tells a sent event), the destroyed window in the third four-byte word.
        constexpr unsigned char kDestroyNotify = 17;
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* bytes = static_cast<const unsigned char*>(message);
        if ((bytes[0] & 0x7f) != kDestroyNotify)
            return false;
        std::uint32_t window{};
        std::memcpy(&window, bytes + 8, sizeof window);
        if (window != 0 && static_cast<WId>(window) == mWindow.internalWinId())
            mDestroyed();
        return false;
    }

private:
    const QWidget& mWindow;
    std::function<void()> mDestroyed;
};

} // namespace

MainWindow::MainWindow(const AppInfo& app, MainServices& services, PageTemplates templates)
    // A window of fixed size has nothing to maximise: no maximise button.
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      mApp(app), mServices(services), mTemplates(std::move(templates)) {
    setWindowTitle(QStringLiteral("Tesselet"));
    setFont(WindowFont());
    CreateControls();
    CreateShortcuts();
    // Pictures come in by drop as by the load button.
    setAcceptDrops(true);
    mLoadButton->setFocus(Qt::TabFocusReason);
    // The keys that hold the picture are watched where every key of the window comes first, once,
    // wherever the focus is: the window's QWindow.
    mHoldKeys = std::make_unique<HoldKeyFilter>(
        *mShowButton, [this] { RunReporting([this] { OnShowPicturePressed(); }); },
        [this] { RunReporting([this] { OnShowPictureReleased(); }); }, [this] { return mHolding; });
    create();
    windowHandle()->installEventFilter(mHoldKeys.get());
    mDestroyedFilter = std::make_unique<WindowDestroyedFilter>(*this, [this] { close(); });
    qApp->installNativeEventFilter(mDestroyedFilter.get());
    PlaceOnScreen();
}

MainWindow::~MainWindow() {
    qApp->removeNativeEventFilter(mDestroyedFilter.get());
}

LoadPictureCommand& MainWindow::StartLoad() {
    mLoad = std::make_unique<LoadPictureCommand>(
        mServices, this, mWorkNote,
        [this](const LoadOutcome& outcome, const std::exception_ptr& unreported) {
            if (!unreported)
                AcceptLoad(outcome);
            WorkEnded(unreported);
        });
    mWorking = true;
    return *mLoad;
}

SavePictureCommand& MainWindow::StartSave() {
    mSave = std::make_unique<SavePictureCommand>(
        mServices, mApp, mTemplates, this, mWorkNote,
        [this](const std::exception_ptr& unreported) { WorkEnded(unreported); });
    mWorking = true;
    return *mSave;
}

void MainWindow::WorkEnded(std::exception_ptr unreported) {
    mWorking = false;
    mWorkNote.clear();
    if (mCloseWhenDone)
        close();
    if (!unreported)
        return;
    try {
        std::rethrow_exception(std::move(unreported));
    } catch (...) {
        ReportFailure();
    }
}

void MainWindow::CreateControls() {
    const double dpi = screen()->logicalDotsPerInchX();
    const double dpiY = screen()->logicalDotsPerInchY();
    setFixedSize(ToPixels(kClientWidth, dpi), ToPixels(kClientHeight, dpiY));

    QPushButton** buttons[] = {&mLoadButton, &mShowButton, &mSaveSpanButton, &mSaveTableButton,
                               &mSaveDivButton};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        QPushButton* button = &mShowButton == buttons[i]
                                  ? new ShowPictureButton(Tr(kButtons[i].caption), this)
                                  : new QPushButton(Tr(kButtons[i].caption), this);
        button->setObjectName(QString::fromLatin1(kButtons[i].name));
        button->setGeometry(ToPixels(kButtonLeft, dpi), ToPixels(kButtons[i].top, dpiY),
                            ToPixels(kButtonWidth, dpi), ToPixels(kButtonHeight, dpiY));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setEnabled(i == 0);
        *buttons[i] = button;
    }

    // A remark in passing, over the foot of the window: it needs no answer, lets clicks through
    // and goes by itself.
    mStatusLabel = new QLabel(this);
    mStatusLabel->setObjectName(QStringLiteral("lblStatus"));
    mStatusLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    mStatusLabel->setAutoFillBackground(true);
    mStatusLabel->setBackgroundRole(QPalette::ToolTipBase);
    mStatusLabel->setForegroundRole(QPalette::ToolTipText);
    mStatusLabel->setFrameShape(QFrame::Box);
    mStatusLabel->setMargin(ToPixels(kButtonLeft / 2, dpi));
    mStatusLabel->hide();
    mStatusTimer.setSingleShot(true);
    mStatusTimer.setInterval(kStatusMs);
    connect(&mStatusTimer, &QTimer::timeout, mStatusLabel, &QWidget::hide);

    connect(mLoadButton, &QPushButton::clicked, this,
            [this] { RunReporting([this] { OnLoadPictureClicked(); }); });
    connect(mSaveSpanButton, &QPushButton::clicked, this,
            [this] { RunReporting([this] { OnSaveSpanClicked(); }); });
    connect(mSaveTableButton, &QPushButton::clicked, this,
            [this] { RunReporting([this] { OnSaveTableClicked(); }); });
    connect(mSaveDivButton, &QPushButton::clicked, this,
            [this] { RunReporting([this] { OnSaveDivClicked(); }); });
    // Any mouse button holds the picture (ShowPictureButton); the keys go through mHoldKeys and
    // never reach the button, so these come from the mouse alone.
    connect(mShowButton, &QPushButton::pressed, this,
            [this] { RunReporting([this] { OnShowPicturePressed(); }); });
    // Let go also when the focus leaves the window; the hold has ended there already.
    connect(mShowButton, &QPushButton::released, this,
            [this] { RunReporting([this] { EndHold(); }); });
}

void MainWindow::PlaceOnScreen() {
    CenterOnScreen(this); // its icon is the application's, set at start-up
}

void MainWindow::CreateShortcuts() {
    // Whichever button has the focus; each with exactly the modifiers it names. Esc asks to close
    // even while work runs (the close then waits for it); the others wait for the window.
    const auto add = [this](QKeyCombination keys, bool whileWorking, std::function<void()> act) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, whileWorking, act = std::move(act)] {
            if (whileWorking || !mWorking)
                RunReporting(act);
        });
    };
    add(Qt::Key_Escape, true, [this] { close(); });
    add(Qt::Key_F1, false, [this] {
        // A handler that fails after it has started is reported as any failure of a key.
        OpenReadMeFile(this, [this](const Failure& failure) { ReportFailure(failure); });
    });
    add(Qt::SHIFT | Qt::Key_F1, false, [this] { ShowAbout(this, mApp, Tr(kAboutName)); });
    add(Qt::CTRL | Qt::Key_V, false, [this] { PastePicture(); });
    add(Qt::CTRL | Qt::Key_C, false, [this] { CopyTable(); });
    // Enter presses the focused button, Return and the keypad's Enter alike (the keypad's is
    // matched without its keypad modifier); on the show button it holds the picture until its
    // release (mHoldKeys).
    for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter})
        add(enter, false, [this] {
            if (focusWidget() == mShowButton)
                OnShowPicturePressed();
            else if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
                button->click();
        });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A load or save under way owns the window until it ends (or is cancelled from its progress
    // dialog): the request is kept, and carried out then. Closing at once would lose the page
    // half written, and a page written after the window had gone would go unseen.
    if (mWorking) {
        mCloseWhenDone = true;
        mWorkNote = Tr(kClosesWhenDone);
        event->ignore();
        return;
    }
    // A picture still on the screen goes with the window.
    mHolding = false;
    mShownPicture = QImage();
    mServices.flashWindow.Hide(); // the event, accepted as it comes, closes the window
}

void MainWindow::hideEvent(QHideEvent* event) {
    EndHold();
    QWidget::hideEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    // The focus left the window: no key release will reach it any more.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        EndHold();
    QWidget::changeEvent(event);
    // Activation drops the frame that shows the focus until a key moves it; the focused button
    // shows it from the start instead, so that Enter and Space are seen to act on it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !mFocusFrameShown) {
        mFocusFrameShown = true;
        setAttribute(Qt::WA_KeyboardFocusChange); // the activation's own repaint shows it
    }
}

void MainWindow::EndHold() {
    if (!mHolding)
        return;
    OnShowPictureReleased();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!mWorking && LocalFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<std::string> file = LocalFile(event->mimeData());
    if (mWorking || !file)
        return;
    event->acceptProposedAction();
    RunReporting([this, &file] { LoadDroppedFile(*file); });
}

// While a load or save runs the window is disabled (BackgroundWork): it is painted but takes no
// input and none is kept for later, and its shortcuts do not run. Esc still asks to close it, as
// the title bar's button does: Qt hands the key from the disabled focus up to the window,
// unanswered.
bool MainWindow::event(QEvent* event) {
    if (mWorking && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            close();
            return true;
        }
    }
    return QWidget::event(event);
}

void MainWindow::RunReporting(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        ReportFailure();
    }
}

void MainWindow::ReportFailure() {
    ReportFailure(Failure::FromCurrentException());
}

void MainWindow::ReportFailure(const Failure& pending) {
    try {
        mServices.messageBox.ShowError(pending, {});
    } catch (...) {
        // Nothing left to tell the user with.
    }
}

void MainWindow::OnLoadPictureClicked() {
    StartLoad().Run();
}

void MainWindow::LoadDroppedFile(const std::string& file) {
    StartLoad().RunWithFile(file);
}

void MainWindow::PastePicture() {
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    const std::optional<std::string> file = LocalFile(offered);
    if (!file && (offered == nullptr || !offered->hasImage())) {
        // Text, a web address or nothing at all: said in passing, nothing to answer.
        ShowStatus(Tr(kNoPictureOnClipboard));
        return;
    }
    if (file) {
        StartLoad().RunWithFile(*file);
        return;
    }
    // Its pages are proposed in the folder the open dialog remembers, under a name of their own.
    std::string name = RememberedFolder(QStringLiteral("Source Picture"));
    if (!name.empty() && name.back() != '/')
        name += '/';
    name += kClipboardName;
    StartLoad().RunWithImage(qvariant_cast<QImage>(offered->imageData()), name);
}

void MainWindow::CopyTable() {
    if (mPicture.isNull())
        return;
    std::size_t wouldTake = 0;
    std::optional<std::string> table;
    // On the window's thread: a table is small enough to be made while the user waits.
    mWorking = true;
    std::exception_ptr failure;
    try {
        const BusyCursor busy;
        table = TableForClipboard(mPicture, mServices.messageBox, wouldTake);
    } catch (...) {
        failure = std::current_exception();
    }
    const bool failed = failure != nullptr;
    WorkEnded(std::move(failure));
    if (failed)
        return;
    if (wouldTake > 0) {
        mServices.messageBox.ShowFailure(TooLargeForClipboardMessage(wouldTake));
        return;
    }
    if (!table)
        return;
    auto* html = new QMimeData();
    html->setHtml(QString::fromUtf8(table->data(), static_cast<qsizetype>(table->size())));
    QGuiApplication::clipboard()->setMimeData(html);
}

void MainWindow::AcceptLoad(const LoadOutcome& outcome) {
    if (!outcome.pictureLoaded)
        return;
    mPicture = outcome.picture;
    mShownPicture = QImage();
    if (mPicture.isNull())
        return;
    if (outcome.path)
        mSourceFileName = *outcome.path;
    for (QPushButton* button : {mSaveSpanButton, mSaveTableButton, mSaveDivButton, mShowButton})
        button->setEnabled(true);
}

void MainWindow::OnSaveSpanClicked() {
    const PageStyle* const styles[] = {&SpanStyle()};
    SavePicture(styles);
}

void MainWindow::OnSaveTableClicked() {
    // The TABLE page, the compact one (one cell per rectangle of one colour) for the web or for
    // e-mail, or the web page of row gradients: the save dialog's file type decides.
    const PageStyle* const styles[] = {&TableStyle(), &CompactStyle(), &CompactMailStyle(),
                                       &WebStyle()};
    SavePicture(styles);
}

void MainWindow::OnSaveDivClicked() {
    const PageStyle* const styles[] = {&DivStyle()};
    SavePicture(styles);
}

void MainWindow::SavePicture(std::span<const PageStyle* const> styles) {
    StartSave().Run(
        styles,
        [this](std::string_view extension) { return MakeOutputFileName(std::string(extension)); },
        mPicture, mSourceFileName);
}

std::string MainWindow::MakeOutputFileName(const std::string& extension) const {
    return ::MakeOutputFileName(mSourceFileName, extension);
}

void MainWindow::OnShowPicturePressed() {
    // The held picture keeps its alpha for the compact pages; the screen shows it over white.
    if (mShownPicture.isNull())
        mShownPicture = FlattenOverWhite(mPicture);
    const FlashResult result = mServices.flashWindow.Show(mShownPicture);
    mHolding = result == FlashResult::kShown;
    if (!mHolding)
        mShownPicture = QImage();
    const QString failure = FlashFailureMessage(result);
    if (!failure.isEmpty())
        mServices.messageBox.ShowFailure(failure);
}

void MainWindow::OnShowPictureReleased() {
    mHolding = false;
    mShownPicture = QImage();
    mServices.flashWindow.Hide();
}

void MainWindow::ShowStatus(const QString& text) {
    mStatusLabel->setText(text);
    mStatusLabel->adjustSize();
    mStatusLabel->move((width() - mStatusLabel->width()) / 2,
                       height() - mStatusLabel->height() - ToPixels(kButtonLeft, logicalDpiY()));
    mStatusLabel->raise();
    mStatusLabel->show();
    mStatusTimer.start();
}
