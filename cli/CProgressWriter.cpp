#include "CProgressWriter.h"

namespace {

// The writer whose line is on the screen now, if any. Pages are written one after another, so
// there is never more than one; the console reporter reaches it through the stream it writes to.
CProgressWriter* gShowing = nullptr;

} // namespace

CProgressWriter::CProgressWriter(IAnyPicture& inner, std::string label, std::FILE* stream,
                                 ProgressPace pace)
    : mInner(inner), mLabel(std::move(label)), mStream(stream), mPace(pace) {}

CProgressWriter::~CProgressWriter() {
    Clear();
}

void CProgressWriter::EndLine(std::FILE* stream) {
    if (gShowing == nullptr || gShowing->mStream != stream)
        return;
    std::fputc('\n', stream);
    gShowing = nullptr;
}

void CProgressWriter::BeginPicture(std::int32_t Width, std::int32_t Height) {
    mHeight = Height;
    mNextReport = std::chrono::steady_clock::now() + mPace.first;
    mInner.BeginPicture(Width, Height);
}

void CProgressWriter::EndNewLine(std::int32_t Y) {
    mInner.EndNewLine(Y);
    const auto now = std::chrono::steady_clock::now();
    if (now < mNextReport || mHeight <= 0)
        return;
    mNextReport = now + mPace.interval;
    std::fprintf(mStream, "\r%s: row %d of %d (%d%%)", mLabel.c_str(), Y + 1, mHeight,
                 static_cast<int>((Y + 1) * 100LL / mHeight));
    std::fflush(mStream);
    gShowing = this;
}

void CProgressWriter::CloseFile() {
    Clear();
    mInner.CloseFile();
}

void CProgressWriter::Clear() {
    if (gShowing != this)
        return;
    std::fputs("\r\033[K", mStream);
    std::fflush(mStream);
    gShowing = nullptr;
}
