#pragma once

#include <memory>

class AppInfo;
class MainWindow;
struct MainServices;

/// Start-up once the application object exists: the program's icons (outside the developer's
/// tools), the templates and source text, and then the main window, shown. nullptr when the
/// templates could not be loaded; the user has been told why and no window exists.
std::unique_ptr<MainWindow> StartUp(const AppInfo& app, MainServices& services);

/// The program: registers it, starts Qt, runs start-up and then the window until it is closed.
/// Returns the process's exit status, non-zero when start-up failed.
int Main(int& argc, char** argv);
