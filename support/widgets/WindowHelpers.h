#pragma once

// The window chores of the support library: the program's registration with the desktop, its
// icons, centring a window and opening the read-me. Failures throw Failure.

#include <QString>
#include <functional>

class Failure;
class QObject;

class QWidget;

/// Registers the program with the desktop under its desktop entry
/// "io.github.tesselet.Tesselet.desktop" (so that its windows and the entry's icon go together).
/// Call before the application object exists.
void RegisterDesktopEntry();

/// Gives the application, and so every window without an icon of its own, all the images of the
/// icon resource `resourceName`, a folder of the program's Qt resources.
void SetApplicationIcon(const QString& resourceName);

/// Centres the window on the available area of its screen.
void CenterOnScreen(QWidget* window);

/// Opens "readme.html" of the program's folder with the desktop's handler; throws when the file is
/// missing or nothing could open it. A handler that starts but then fails is told to
/// `lateFailure`, on this thread, while `context` lives.
void OpenReadMeFile(QObject* context, const std::function<void(const Failure&)>& lateFailure);
