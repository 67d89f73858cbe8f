#include "CProgressWriter.h"

namespace {

// Pages that take less than this never show a progress line at all.
constexpr auto kFirstReport = std::chrono::milliseconds(300);
constexpr auto kInterval = std::chrono::milliseconds(100);

} // namespace

CProgressWriter::CProgressWriter(IAnyPicture& inner, std::string label, std::FILE* stream)
    : mInner(inner), mLabel(std::move(label)), mStream(stream) {}

void CProgressWriter::BeginPicture(std::int32_t Width, std::int32_t Height) {
    mHeight = Height;
    mNextReport = std::chrono::steady_clock::now() + kFirstReport;
    mInner.BeginPicture(Width, Height);
}

void CProgressWriter::EndNewLine(std::int32_t Y) {
    mInner.EndNewLine(Y);
    const auto now = std::chrono::steady_clock::now();
    if (now < mNextReport || mHeight <= 0)
        return;
    mNextReport = now + kInterval;
    std::fprintf(mStream, "\r%s: row %d of %d (%d%%)", mLabel.c_str(), Y + 1, mHeight,
                 static_cast<int>((Y + 1) * 100LL / mHeight));
    std::fflush(mStream);
    mShown = true;
}

void CProgressWriter::CloseFile() {
    Clear();
    mInner.CloseFile();
}

void CProgressWriter::Clear() {
    if (!mShown)
        return;
    std::fputs("\r\033[K", mStream);
    std::fflush(mStream);
    mShown = false;
}
