#pragma once

#include <functional>
#include <string>

class CAppObject;
class IGeneratorUi;
class QImage;
struct CMainServices;
struct PageStyle;
class QWidget;

/// The work of one save button: the save dialog with the proposed name in the style's remembered
/// folder, remembering the chosen folder, writing the page and saying "Готово ^_^" when it is done.
class CSavePictureCommand {
public:
    CSavePictureCommand(CMainServices& services, const CAppObject& app, QWidget* owner,
                        IGeneratorUi& ui);

    /// True when the whole page was written. `proposedName` is asked for inside its own step, so
    /// that when it fails the dialog only proposes no name. `pictureFile` is the file the picture
    /// was loaded from, which the page must not replace.
    bool Run(const PageStyle& style, const std::function<std::u16string()>& proposedName,
             const QImage& picture, const std::u16string& pictureFile);

private:
    CMainServices& mServices;
    const CAppObject& mApp;
    QWidget* mOwner;
    IGeneratorUi& mUi;
};
