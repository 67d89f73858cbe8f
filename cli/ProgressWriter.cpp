#include "ProgressWriter.h"
#include "Language.h"

void ConsoleStream::EndLine() {
    if (mShowing == nullptr)
        return;
    std::fputc('\n', mStream);
    mShowing = nullptr;
}

ProgressWriter::ProgressWriter(IAnyPicture& inner, std::string label, ConsoleStream& console,
                               ProgressPace pace)
    : mInner(inner), mLabel(std::move(label)), mConsole(console), mPace(pace) {}

ProgressWriter::~ProgressWriter() {
    Clear();
}

void ProgressWriter::BeginPicture(std::int32_t width, std::int32_t height) {
    mHeight = height;
    mNextReport = std::chrono::steady_clock::now() + mPace.first;
    mInner.BeginPicture(width, height);
}

void ProgressWriter::EndNewLine(std::int32_t y) {
    mInner.EndNewLine(y);
    const auto now = std::chrono::steady_clock::now();
    if (now < mNextReport) // a row ends only in a picture that has rows: mHeight > 0
        return;
    mNextReport = now + mPace.interval;
    // The file name stays the bytes it is; only the words around it are translated.
    const QString row = Tr(QT_TRANSLATE_NOOP("Tesselet", "строка %1 из %2 (%3%)"))
                            .arg(QString::number(y + 1), QString::number(mHeight),
                                 QString::number((y + 1) * 100LL / mHeight));
    std::fprintf(mConsole.mStream, "\r%s: %s", mLabel.c_str(), row.toUtf8().constData());
    std::fflush(mConsole.mStream);
    mConsole.mShowing = this;
}

void ProgressWriter::CloseFile() {
    Clear();
    mInner.CloseFile();
}

void ProgressWriter::Clear() {
    if (mConsole.mShowing != this)
        return;
    std::fputs("\r\033[K", mConsole.mStream);
    std::fflush(mConsole.mStream);
    mConsole.mShowing = nullptr;
}
