#pragma once

#include "BackgroundWork.h"
#include "DeferredMessages.h"

#include <QImage>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class AppInfo;
struct MainServices;
struct PageStyle;
struct PageTemplates;
class QString;
class QWidget;

/// The work of one save button: the save dialog with the proposed name in the style's remembered
/// folder, remembering the chosen folder, writing the page and saying "Готово ^_^" when it is done.
/// A button may offer several styles as the dialog's file types; the type chosen decides the
/// style, and is remembered beside the folder and offered first the next time.
class SavePictureCommand {
public:
    /// Told on the window's thread once the save has ended in any way; the command may be dropped
    /// from there on. `unreported` is a failure no step reported, for the window to tell; null
    /// otherwise.
    using Done = std::function<void(std::exception_ptr unreported)>;

    /// `templates` frame the page; they outlive the command. `workNote` is the owner's line under
    /// the progress dialog's label (BackgroundWork).
    SavePictureCommand(MainServices& services, const AppInfo& app, const PageTemplates& templates,
                       QWidget* owner, const QString& workNote, Done done);
    ~SavePictureCommand();
    SavePictureCommand(const SavePictureCommand&) = delete;
    SavePictureCommand& operator=(const SavePictureCommand&) = delete;

    /// Starts the save; `done` follows it, at once when the dialog is cancelled. `styles` are the
    /// file types offered, the button's own style first, whose remembered key holds the folder of
    /// them all. `proposedName` gives the name for a style's extension. `pictureFile` is the file
    /// the picture was loaded from, which the page must not replace. `picture` keeps its alpha:
    /// the compact styles write it as it is, the others flattened over white. A page predicted
    /// above the services' large-page size is written only when the user agrees.
    void Run(std::span<const PageStyle* const> styles,
             const std::function<std::string(std::string_view extension)>& proposedName,
             const QImage& picture, const std::string& pictureFile);

private:
    /// The file the user chose and the style its type decides.
    struct ChosenPage {
        const PageStyle* style;
        std::string file;
    };

    /// The save dialog; nothing when the user cancelled it.
    std::optional<ChosenPage>
    ChoosePage(std::span<const PageStyle* const> styles,
               const std::function<std::string(std::string_view extension)>& proposedName);
    /// Whether a page may go to `file`; a refusal is reported.
    bool OutputAllowed(const std::string& file, const std::string& pictureFile);
    // The steps after the dialog, each beside the window and going on with the next once it has
    // ended: the picture as the chosen style writes it, its page's size, the page itself.
    void MakePagePicture();
    void CountLargePage();
    void WritePage();
    /// Whether the page could pass the large-page size, and so must be counted first.
    bool MayBeLarge() const;
    /// Runs one step's ending; a failure it does not report ends the save with it.
    void Continue(const std::function<void()>& step);
    void Finish(std::exception_ptr unreported = nullptr);

    MainServices& mServices;
    const AppInfo& mApp;
    const PageTemplates& mTemplates;
    QWidget* mOwner;
    const QString& mWorkNote;
    Done mDone;

    std::optional<ChosenPage> mChosen;
    /// The window's picture, then the page's: the picture over white for the styles that want it.
    QImage mPage;
    std::optional<std::uint64_t> mCountedBytes;
    /// What the walk says, shown once it has ended.
    DeferredMessages mMessages;
    bool mWritten = false;
    std::optional<BackgroundWork> mFlattening;
    std::optional<BackgroundWork> mCounting;
    std::optional<BackgroundWork> mWalk;
};
