#pragma once

#include <functional>
#include <memory>

class IDeferredCalls;
class IErrorReporter;
class IFileDialog;
class IFolderMemory;
class IMessageBox;
class IPictureServices;
class IScreen;

/// The components the main window works with. File dialogs and folder stores are made afresh for
/// each handler run; the others serve the whole process.
struct CMainServices {
    std::function<std::unique_ptr<IFileDialog>()> newFileDialog;
    std::function<std::unique_ptr<IFolderMemory>()> newFolderMemory;
    IPictureServices& pictureServices;
    IErrorReporter& errorReporter;
    IMessageBox& messageBox;
    IScreen& screen;
    IDeferredCalls& deferredCalls;
};
