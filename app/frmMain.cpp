#include "frmMain.h"

#include "CLoadPictureCommand.h"
#include "CMainServices.h"
#include "CMessageBox.h"
#include "CPictureBox.h"
#include "CSavePictureCommand.h"
#include "CSpaceKeyRule.h"
#include "IFlashWindow.h"
#include "IMessageBox.h"
#include "KorvaneSupportUi.h"
#include "modPageStyle.h"
#include "modQtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {

// Layout in 1/1440 inch, so that the window follows the screen's dots per inch: the client area
// and a column of five buttons with a margin of 120 on all four sides.
constexpr int kUnitsPerInch = 1440;
constexpr int kClientWidth = 3795;
constexpr int kClientHeight = 3135;
constexpr int kButtonLeft = 120;
constexpr int kButtonWidth = 3555;
constexpr int kButtonHeight = 495;
constexpr int kPictureLeft = 3240;
constexpr int kPictureTop = 420;

struct ButtonLayout {
    const char* name;
    const char16_t* caption;
    int top;
};

constexpr ButtonLayout kButtons[] = {
    {"cmdLoadPicture", u"1. Загрузить картинку", 120},
    {"cmdShowPicture", u"2. Показать картинку", 720},
    {"cmdSaveSPAN", u"3. Сохранить SPAN картинку", 1320},
    {"cmdSaveTABLE", u"4. Сохранить TABLE картинку", 1920},
    {"cmdSaveDIV", u"5. Сохранить DIV картинку", 2520},
};

const std::u16string kAboutName = u"Собрано для тех, кто видит в картинке мозаику.";

/// Pixels for a layout length at `dotsPerInch`, rounded to the nearest pixel.
int ToPixels(int length, double dotsPerInch) {
    return static_cast<int>(std::lround(length * dotsPerInch / kUnitsPerInch));
}

QFont WindowFont() {
    // Where Tahoma is missing the platform picks its nearest sans-serif face, and any face that
    // lacks Cyrillic is filled in by Qt's font fallback.
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace

frmMain::frmMain(const CAppObject& app, CMainServices& services)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      mApp(app), mServices(services),
      mSpaceKey(std::make_unique<CSpaceKeyRule>([this] { cmdShowPicture_MouseDown(); },
                                                [this] { cmdShowPicture_MouseUp(); })) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tesselet"));
    setFont(WindowFont());
    CreateControls();
    // A filter on the whole application sees every key before the focused button does; a filter
    // on the window alone would see only the keys a button ignores, and only after it.
    qApp->installEventFilter(this);
    Form_Load();
}

frmMain::~frmMain() {
    if (mBusy)
        QGuiApplication::restoreOverrideCursor();
}

void frmMain::CreateControls() {
    const double dpi = screen()->logicalDotsPerInchX();
    const double dpiY = screen()->logicalDotsPerInchY();
    setFixedSize(ToPixels(kClientWidth, dpi), ToPixels(kClientHeight, dpiY));

    QPushButton** buttons[] = {&cmdLoadPicture, &cmdShowPicture, &cmdSaveSPAN, &cmdSaveTABLE,
                               &cmdSaveDIV};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        auto* button = new QPushButton(QString::fromUtf16(kButtons[i].caption), this);
        button->setObjectName(QString::fromLatin1(kButtons[i].name));
        button->setGeometry(ToPixels(kButtonLeft, dpi), ToPixels(kButtons[i].top, dpiY),
                            ToPixels(kButtonWidth, dpi), ToPixels(kButtonHeight, dpiY));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setEnabled(i == 0);
        *buttons[i] = button;
    }
    for (std::size_t i = 0; i + 1 < std::size(buttons); ++i)
        setTabOrder(*buttons[i], *buttons[i + 1]);

    picPicture = new CPictureBox(this);
    picPicture->setObjectName(QStringLiteral("picPicture"));
    picPicture->move(ToPixels(kPictureLeft, dpi), ToPixels(kPictureTop, dpiY));

    connect(cmdLoadPicture, &QPushButton::clicked, this, [this] { cmdLoadPicture_Click(); });
    connect(cmdSaveSPAN, &QPushButton::clicked, this, [this] { cmdSaveSPAN_Click(); });
    connect(cmdSaveTABLE, &QPushButton::clicked, this, [this] { cmdSaveTABLE_Click(); });
    connect(cmdSaveDIV, &QPushButton::clicked, this, [this] { cmdSaveDIV_Click(); });
}

void frmMain::Form_Load() {
    ksCenterFormEx(this);
    if (!ksIsInIDE())
        ksSetWindowResIconAll(this, u"A_MAIN");
    ksFixUserControlsContainerWindow();
}

void frmMain::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift) {
    if (KeyCode == Qt::Key_F1 && Shift == Qt::ShiftModifier)
        ShowAbout(this, mApp, kAboutName);
    else if (KeyCode == Qt::Key_F1 && Shift == Qt::NoModifier)
        ksOpenReadMeFile();
    else if (KeyCode == Qt::Key_Escape && Shift == Qt::NoModifier)
        close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A picture still on the screen goes with the window.
    mServices.flashWindow.Hide();
    event->accept();
}

// Key events travel from the focused widget up to the window while nobody takes them, and the
// application's filter sees each stop; only the first one, the focused widget (or the window when
// nothing has the focus), counts, so that every key event acts once.
bool frmMain::IsFirstKeyReceiver(QObject* watched) const {
    if (!watched->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(watched);
    if (widget->window() != this)
        return false;
    const QWidget* focus = focusWidget();
    return widget == (focus != nullptr ? focus : this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // Qt cannot carry a failure through its event loop: whatever fails in a handler is reported
    // here and the window stays.
    try {
        HandleEvent(watched, event);
    } catch (...) {
        ReportFailure();
    }
    return false; // never swallowed: the button still gets every key and click
}

void frmMain::HandleEvent(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!IsFirstKeyReceiver(watched))
            return;
        const auto* key = static_cast<const QKeyEvent*>(event);
        Form_KeyDown(key->key(), key->modifiers());
        if (watched == cmdShowPicture)
            cmdShowPicture_KeyDown(key->key(), key->modifiers(), key->timestamp());
        return;
    }
    case QEvent::KeyRelease: {
        if (watched != cmdShowPicture)
            return;
        const auto* key = static_cast<const QKeyEvent*>(event);
        cmdShowPicture_KeyUp(key->key(), key->modifiers(), key->timestamp(), key->isAutoRepeat());
        return;
    }
    // The second press of a double click arrives as a double-click event.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched != cmdShowPicture || !cmdShowPicture->isEnabled())
            return;
        cmdShowPicture_MouseDown();
        return;
    case QEvent::MouseButtonRelease:
        if (watched != cmdShowPicture || !cmdShowPicture->isEnabled())
            return;
        cmdShowPicture_MouseUp();
        return;
    default:
        return;
    }
}

void frmMain::ReportFailure() {
    const CError pending = CError::FromCurrentException();
    try {
        mServices.messageBox.ShowError(pending, u"");
    } catch (...) {
        // Nothing left to tell the user with.
    }
}

void frmMain::cmdLoadPicture_Click() {
    CLoadPictureCommand command(mServices, this);
    const CLoadOutcome outcome = command.Run();
    if (!outcome.pictureLoaded)
        return;
    picPicture->SetPicture(outcome.picture);
    if (picPicture->PictureType() == CPictureBox::vbPicTypeNone)
        return;
    if (outcome.path)
        mSourceFileName = *outcome.path;
    for (QPushButton* button : {cmdSaveSPAN, cmdSaveTABLE, cmdSaveDIV, cmdShowPicture})
        button->setEnabled(true);
}

void frmMain::cmdSaveSPAN_Click() {
    SavePicture(SpanStyle());
}

void frmMain::cmdSaveTABLE_Click() {
    SavePicture(TableStyle());
}

void frmMain::cmdSaveDIV_Click() {
    SavePicture(DivStyle());
}

void frmMain::SavePicture(const PageStyle& style) {
    CSavePictureCommand command(mServices, mApp, this, *this);
    command.Run(
        style, [this, &style] { return MakeOutputFileName(std::u16string(style.extension)); },
        picPicture->Picture(), mSourceFileName);
    // However the walk ended, the pointer is not left busy.
    SetMousePointer(kDefaultPointer);
}

std::u16string frmMain::MakeOutputFileName(const std::u16string& extension) const {
    return ::MakeOutputFileName(mSourceFileName, extension);
}

void frmMain::cmdShowPicture_MouseDown() {
    const std::u16string failure =
        FlashFailureMessage(mServices.flashWindow.Show(picPicture->Picture()));
    if (!failure.empty())
        MsgBox(failure, IMessageBox::kStopIcon);
}

void frmMain::cmdShowPicture_MouseUp() {
    mServices.flashWindow.Hide();
}

void frmMain::cmdShowPicture_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift,
                                     std::uint64_t timestamp) {
    mSpaceKey->KeyDown(KeyCode, Shift, timestamp);
}

void frmMain::cmdShowPicture_KeyUp(int KeyCode, Qt::KeyboardModifiers Shift,
                                   std::uint64_t timestamp, bool autoRepeat) {
    mSpaceKey->KeyUp(KeyCode, Shift, timestamp, autoRepeat);
}

void frmMain::SetMousePointer(std::int32_t pointer) {
    if (pointer == kBusyPointer && !mBusy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        mBusy = true;
    } else if (pointer == kDefaultPointer && mBusy) {
        QGuiApplication::restoreOverrideCursor();
        mBusy = false;
    }
}

void frmMain::RepaintMainWindow() {
    repaint();
}

void frmMain::MsgBox(const std::u16string& text, std::int32_t style) {
    mServices.messageBox.MsgBox(text, style);
}
