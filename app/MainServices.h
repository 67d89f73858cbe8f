#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class IFileDialog;
class IFlashWindow;
class IMessageBox;

/// Pages larger than this many bytes (100 MB) are written only once the user has agreed.
inline constexpr std::uint64_t kLargePageBytes = std::uint64_t{100} * 1024 * 1024;

/// A size as the window's messages tell it: in MB of 1024 x 1024 bytes, a part counted whole.
constexpr std::uint64_t WholeMegabytes(std::uint64_t bytes) {
    constexpr std::uint64_t kMegabyte = std::uint64_t{1} << 20;
    return bytes / kMegabyte + (bytes % kMegabyte != 0);
}

/// Half a second: work shorter than this shows no progress dialog, which would only flash.
inline constexpr int kProgressDelayMs = 500;

/// What the main window shows the user through: a file dialog made afresh for each handler run,
/// the message boxes and the picture shown on the screen.
struct MainServices {
    std::function<std::unique_ptr<IFileDialog>()> newFileDialog;
    IMessageBox& messageBox;
    IFlashWindow& flashWindow;
    /// The size above which a save asks first; UINT64_MAX never asks, nor predicts the size.
    std::uint64_t largePageBytes = kLargePageBytes;
    /// How long a load or save runs before its progress dialog shows.
    int progressDelayMs = kProgressDelayMs;
};
