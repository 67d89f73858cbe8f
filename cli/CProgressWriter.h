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

/// Passes every call on to the real writer and shows on a terminal how many rows are written.
///
/// The line is drawn with a carriage return and no line feed, so anything else written to the
/// same stream would land at its end; whoever writes there calls EndLine first.
class CProgressWriter final : public IAnyPicture {
public:
    CProgressWriter(IAnyPicture& inner, std::string label, std::FILE* stream,
                    ProgressPace pace = {});
    ~CProgressWriter() override;
    CProgressWriter(const CProgressWriter&) = delete;
    CProgressWriter& operator=(const CProgressWriter&) = delete;

    /// When a progress line is showing on `stream`, ends it with a line feed, so that what is
    /// written next starts on a line of its own; the line stays, telling how far the page got.
    /// The next progress report starts a new line.
    static void EndLine(std::FILE* stream);

    void OpenFile(const std::u16string& FileName) override { mInner.OpenFile(FileName); }
    void CloseFile() override;
    void Init() override { mInner.Init(); }
    void BeginPicture(std::int32_t Width, std::int32_t Height) override;
    void EndPicture() override { mInner.EndPicture(); }
    void WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) override {
        mInner.WritePixel(Color, X, Y);
    }
    void BeginNewLine(std::int32_t Y) override { mInner.BeginNewLine(Y); }
    void EndNewLine(std::int32_t Y) override;

private:
    void Clear();

    IAnyPicture& mInner;
    std::string mLabel;
    std::FILE* mStream;
    ProgressPace mPace;
    std::int32_t mHeight = 0;
    std::chrono::steady_clock::time_point mNextReport;
};
