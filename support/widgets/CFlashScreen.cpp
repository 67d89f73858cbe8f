#include "CFlashScreen.h"

#include "CFlashScreenContext.h"
#include "CFlashWindow.h"

#include <QGuiApplication>
#include <QScreen>

CFlashScreen::CFlashScreen() = default;

CFlashScreen::~CFlashScreen() = default;

std::unique_ptr<IScreenContext> CFlashScreen::GetDC() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return nullptr;
    if (!mWindow)
        mWindow = std::make_unique<CFlashWindow>();
    return std::make_unique<CFlashScreenContext>(*screen, *mWindow);
}

void CFlashScreen::InvalidateRect() {
    if (mWindow)
        mWindow->hide();
}
