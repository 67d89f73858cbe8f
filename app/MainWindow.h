#pragma once

#include "AppInfo.h"
#include "PageTemplates.h"

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>

class Failure;
struct LoadOutcome;
class HoldKeyFilter;
class LoadPictureCommand;
class SavePictureCommand;
struct MainServices;
struct PageStyle;
class QAbstractNativeEventFilter;
class QLabel;
class QPushButton;

/// The program's one window: a column of five buttons in the order of the work (load, show, save
/// in three styles), holding the loaded picture. It answers Esc, F1 and Shift+F1 whichever
/// button has the focus.
class MainWindow final : public QWidget {
public:
    /// Builds the window and runs PlaceOnScreen; the caller shows it.
    /// `templates` frame the pages the window saves.
    MainWindow(const AppInfo& app, MainServices& services, PageTemplates templates);
    ~MainWindow() override;

    void OnLoadPictureClicked();
    void OnSaveSpanClicked();
    void OnSaveTableClicked();
    void OnSaveDivClicked();
    void OnShowPicturePressed();
    void OnShowPictureReleased();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateControls();
    /// Esc, F1, Shift+F1, Ctrl+V, Ctrl+C and Enter.
    void CreateShortcuts();
    void PlaceOnScreen();
    /// Runs a handler of the window. Qt cannot carry a failure through its event loop: whatever
    /// fails in a handler is reported here and the window stays.
    void RunReporting(const std::function<void()>& handler);
    void ReportFailure();
    void ReportFailure(const Failure& pending);
    /// A load or save starts (mWorking): the window takes no input until WorkEnded.
    LoadPictureCommand& StartLoad();
    SavePictureCommand& StartSave();
    /// The load or save has ended: a close asked for meanwhile is carried out, and a failure no
    /// step reported is.
    void WorkEnded(std::exception_ptr unreported);
    void AcceptLoad(const LoadOutcome& outcome);
    void LoadDroppedFile(const std::string& file);
    void PastePicture();
    void CopyTable();
    /// Takes the picture off the screen when the show button's hold has ended in any way.
    void EndHold();
    /// A short remark over the foot of the window that goes by itself after a few seconds.
    void ShowStatus(const QString& text);
    /// Saves the picture as a page of one of `styles`, the save dialog's file types.
    void SavePicture(std::span<const PageStyle* const> styles);
    std::string MakeOutputFileName(const std::string& extension) const;

    const AppInfo& mApp;
    MainServices& mServices;
    const PageTemplates mTemplates;
    std::string mSourceFileName;
    /// The loaded picture, with its alpha kept for the compact pages; null until one is loaded.
    QImage mPicture;
    /// A load or save runs: the window takes no input until it has ended.
    bool mWorking = false;
    /// The show button holds the picture on the screen.
    bool mHolding = false;
    /// What the screen shows while the picture is held: the picture over white, flattened once a
    /// hold rather than at every key repeat, and let go when the hold ends.
    QImage mShownPicture;
    bool mFocusFrameShown = false;

    QPushButton* mLoadButton = nullptr;
    QPushButton* mShowButton = nullptr;
    QPushButton* mSaveSpanButton = nullptr;
    QPushButton* mSaveTableButton = nullptr;
    QPushButton* mSaveDivButton = nullptr;
    QLabel* mStatusLabel = nullptr;
    QTimer mStatusTimer;

    std::unique_ptr<HoldKeyFilter> mHoldKeys;
    std::unique_ptr<QAbstractNativeEventFilter> mDestroyedFilter;
    /// The window was asked to close while it worked: it closes once the work has ended.
    bool mCloseWhenDone = false;
    /// A line under the progress dialog's label while a load or save runs: what the window will do
    /// once it has ended (close, when asked to meanwhile).
    QString mWorkNote;

    /// The load or save last started; kept until the next one starts, as its end is told from
    /// inside it.
    std::unique_ptr<LoadPictureCommand> mLoad;
    std::unique_ptr<SavePictureCommand> mSave;
};
