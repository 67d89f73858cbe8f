#pragma once

#include "IAnyPicture.h"

#include <chrono>
#include <cstdio>
#include <string>

/// How soon a page shows its progress line, and how often the line is redrawn afterwards.
struct ProgressPace {
    /// Pages quicker than this never show a progress line at all.
    std::chrono::milliseconds first{300};
    std::chrono::milliseconds interval{100};
};

class ProgressWriter;

/// A console stream on which a page's progress line may be showing. The line is drawn with a
/// carriage return and no line feed, so anything else written to the stream would land at its
/// end; whoever writes there calls EndLine first.
class ConsoleStream {
public:
    explicit ConsoleStream(std::FILE* stream) noexcept : mStream(stream) {}

    /// When a progress line is showing, ends it with a line feed, so that what is written next
    /// starts on a line of its own; the line stays, telling how far the page got. The next
    /// progress report starts a new line.
    void EndLine();

private:
    friend class ProgressWriter;

    std::FILE* mStream;
    /// The writer whose line is showing; pages are written one after another, so one at most.
    const ProgressWriter* mShowing = nullptr;
};

/// Passes every call on to the real writer and shows on a terminal how many rows are written.
class ProgressWriter final : public IAnyPicture {
public:
    ProgressWriter(IAnyPicture& inner, std::string label, ConsoleStream& console,
                   ProgressPace pace = {});
    ~ProgressWriter() override;
    ProgressWriter(const ProgressWriter&) = delete;
    ProgressWriter& operator=(const ProgressWriter&) = delete;

    void OpenFile(const std::string& fileName) override { mInner.OpenFile(fileName); }
    void CloseFile() override;
    void Init() override { mInner.Init(); }
    void BeginPicture(std::int32_t width, std::int32_t height) override;
    void EndPicture() override { mInner.EndPicture(); }
    void WritePixel(PixelColor color, std::int32_t x, std::int32_t y) override {
        mInner.WritePixel(color, x, y);
    }
    void BeginNewLine(std::int32_t y) override { mInner.BeginNewLine(y); }
    void EndNewLine(std::int32_t y) override;

private:
    void Clear();

    IAnyPicture& mInner;
    std::string mLabel;
    ConsoleStream& mConsole;
    ProgressPace mPace;
    std::int32_t mHeight = 0;
    std::chrono::steady_clock::time_point mNextReport;
};
