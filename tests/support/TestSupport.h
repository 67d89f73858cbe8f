#pragma once

// Helpers shared by the core tests: temporary folders, file bytes, fakes of the window's side.

#include "IErrorReporter.h"
#include "IGeneratorUi.h"
#include "IPictureSource.h"

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

/// Whether the address sanitizer is built in: it reserves terabytes of address space at start, so
/// a program under a memory limit (RLIMIT_AS) cannot even start.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

/// A fresh folder removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return mPath; }
    std::string File(const std::string& name) const { return mPath + "/" + name; }
    std::u16string File16(const std::string& name) const;

private:
    std::string mPath;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
std::u16string U16(const std::string& utf8);
std::string U8(const std::u16string& text);

/// Sets the prepared templates and source text for one test and restores them afterwards.
class TemplatesScope {
public:
    TemplatesScope(const std::u16string& head, const std::u16string& tail,
                   const std::u16string& source = u"");
    ~TemplatesScope();

private:
    std::u16string mHead, mTail, mSource;
    std::int32_t mLength;
};

/// Records what was reported or shown, in order.
class FakeReporter final : public IErrorReporter, public IGeneratorUi {
public:
    struct Report {
        std::int32_t number;
        std::u16string description;
        std::int32_t style;
        std::u16string message;
    };

    void ShowError(const CError& pending, std::int32_t style, std::int32_t flags,
                   const std::u16string& message) override;
    void SetMousePointer(std::int32_t pointer) override;
    void RepaintMainWindow() override;
    void MsgBox(const std::u16string& text, std::int32_t style) override;

    std::vector<Report> errors;
    std::vector<std::pair<std::u16string, std::int32_t>> boxes;
    std::vector<std::string> uiCalls; ///< "pointer 11", "repaint", "error", "box"
};

/// A picture box made of a grid of colours, or of any sizes when a test needs odd ones.
class FakePictureBox final : public IPictureSource {
public:
    FakePictureBox(int width, int height, std::function<PixelColor(int, int)> colour = nullptr);

    std::int16_t ScaleMode() const override { return scaleMode; }
    float ScaleWidth() const override { return width; }
    float ScaleHeight() const override { return height; }
    PixelColor Point(float X, float Y) const override;

    std::int16_t scaleMode = kPixels;
    float width;
    float height;
    std::function<PixelColor(int, int)> colour;
    int failAtX = -1, failAtY = -1; ///< Point throws there
};

/// What a run of the command-line converter gave back.
struct CliRun {
    int status;     ///< exit status, -1 when it did not exit normally
    int signal = 0; ///< the signal that ended it, if one did
    std::string out;
    std::string err;
};

/// How a run of tesselet-cli is wired.
struct CliSetup {
    std::string input; ///< bytes on its standard input (a pipe), when inputFd is -1
    int inputFd = -1;  ///< its standard input, when not -1
    int outputFd = -1; ///< its standard output, when not -1 (else captured in CliRun::out)
    std::function<void()> inChild; ///< runs in the child before the program starts
    /// Runs in the parent once the program is started, with its process id.
    std::function<void(pid_t)> whileRunning;
};

/// Runs tesselet-cli with `arguments`, given as the bytes the program receives; `inChild` runs in
/// the child before the program starts (limits, dropped privileges).
CliRun RunCli(const std::vector<std::string>& arguments,
              const std::function<void()>& inChild = nullptr);
CliRun RunCli(const std::vector<std::string>& arguments, const CliSetup& setup);

/// For use in a child: gives up the capabilities that override file permissions, so that they
/// hold for root too.
void DropCapabilities();

/// How many file descriptors this process has open.
int OpenDescriptors();
