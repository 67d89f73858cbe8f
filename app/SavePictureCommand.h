#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class AppInfo;
class IGeneratorUi;
class QImage;
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
    /// `templates` frame the page; they outlive the command. `workNote` is the owner's line under
    /// the progress dialog's label (BackgroundWork).
    SavePictureCommand(MainServices& services, const AppInfo& app, const PageTemplates& templates,
                       QWidget* owner, const QString& workNote, IGeneratorUi& ui);

    /// True when the whole page was written. `styles` are the file types offered, the button's
    /// own style first, whose remembered key holds the folder of them all. `proposedName` gives
    /// the name for a style's extension. `pictureFile` is the file the picture was loaded
    /// from, which the page must not replace. `picture` keeps its alpha: the compact styles write
    /// it as it is, the others flattened over white. A page predicted above the services'
    /// large-page size is written only when the user agrees. A failure reported on the way returns
    /// false; any other is thrown.
    bool Run(std::span<const PageStyle* const> styles,
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
    /// The picture as the chosen style writes it; nothing when it could not be made (reported).
    std::optional<QImage> PagePicture(const ChosenPage& chosen, const QImage& picture);
    /// Whether the page may be written: true when it is not large or the user agreed.
    bool LargePageAgreed(const PageStyle& style, const QImage& picture);
    /// Walks the picture into the page beside the window; true when the page was written whole.
    bool WritePage(const ChosenPage& chosen, const QImage& page);

    MainServices& mServices;
    const AppInfo& mApp;
    const PageTemplates& mTemplates;
    QWidget* mOwner;
    const QString& mWorkNote;
    IGeneratorUi& mUi;
};
