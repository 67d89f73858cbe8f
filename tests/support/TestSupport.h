#pragma once

// Shared by the tests: temporary folders, files, the converter run as a program, tables of data.

#include "ColorsAndPaths.h"
#include "IAnyPicture.h"
#include "IGeneratorUi.h"
#include "IMessageBox.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

/// A fresh folder removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return mPath; }
    std::string File(const std::string& name) const { return mPath + "/" + name; }

private:
    std::string mPath;
};

/// A full disk at folder/full: a node of the test's own as root (a page renamed over it replaces
/// that, not /dev/full), else a link to /dev/full.
std::string MakeFullDevice(const std::string& folder);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

/// Records what was reported or shown.
class FakeReporter final : public IMessageBox, public IGeneratorUi {
public:
    void ShowError(const Failure& pending, const QString& message) override {
        errors.push_back(pending.Number());
        said.push_back(message);
    }
    void ShowFailure(const QString& text) override { boxes.push_back(text); }
    void Inform(const QString& text) override { boxes.push_back(text); }
    bool AskOkCancel(const QString& text) override {
        boxes.push_back(text);
        return false;
    }

    std::vector<std::int32_t> errors; ///< the numbers of the failures reported
    std::vector<QString> said;        ///< and what was said above each
    std::vector<QString> boxes;       ///< failures and news shown in a sentence alone
};

/// An RGB32 picture of `colour(x, y)`, by default red x + 16 * y (its low byte).
QImage MakePicture(int width, int height,
                   const std::function<PixelColor(int, int)>& colour = nullptr);

/// What a run of the command-line converter gave back.
struct CliRun {
    int status; ///< exit status; 128 + the signal's number when a signal ended it, as a shell says
    std::string out;
    std::string err;
};

/// How a run of tesselet-cli is wired.
struct CliSetup {
    int inputFd = -1;              ///< its standard input; -1: an empty pipe
    std::function<void()> inChild; ///< runs in the child before the program starts
    /// Runs in the parent once the program is started, with its process id.
    std::function<void(pid_t)> whileRunning;
    std::string program = TESSELET_BIN_DIR "/tesselet-cli"; ///< the converter to run
};

/// Runs tesselet-cli with `arguments`, given as the bytes the program receives.
CliRun RunCli(const std::vector<std::string>& arguments, const CliSetup& setup = {});

/// For use in a child: file permissions hold for root too.
void DropCapabilities();

/// The rows of a table in tests/data but its comments: `fields` fields apart by tabs, the last ones
/// empty when left out, in which \n, \xHH, {src}, {bin} and {version} are spelled out.
std::vector<std::vector<std::string>> Table(const std::string& table, std::size_t fields = 4);
