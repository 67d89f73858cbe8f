#include "CProgressWriter.h"
#include "modLanguage.h"

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
    // The file name stays the bytes it is; only the words around it are translated.
    const QString row = TrQ(QT_TRANSLATE_NOOP("Tesselet", "строка %1 из %2 (%3%)"))
                            .arg(QString::number(Y + 1), QString::number(mHeight),
                                 QString::number((Y + 1) * 100LL / mHeight));
    std::fprintf(mStream, "\r%s: %s", mLabel.c_str(), row.toUtf8().constData());
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
