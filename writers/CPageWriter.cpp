#include "CPageWriter.h"
#include "modText.h"

#include "CError.h"
#include "modCommon.h"

CPageWriter::~CPageWriter() {
    try {
        CloseFile();
    } catch (...) {
        // Destruction never throws; COutputFile releases the descriptor on its own and leaves no
        // temporary file behind.
    }
}

void CPageWriter::OpenFile(const std::u16string& FileName) {
    if (mFileNo != 0)
        return;
    mFileNo = mFile.Open(FileName) + 1;
}

void CPageWriter::OpenBodyInMemory() {
    if (mFileNo != 0)
        return;
    mFile.OpenMemory();
    mFileNo = kInMemory;
}

void CPageWriter::OpenCounter() {
    if (mFileNo != 0)
        return;
    mFile.OpenCounter();
    mFileNo = kCounting;
}

void CPageWriter::CloseFile() {
    if (mFileNo == 0)
        return;
    mFile.Close();
    mFileNo = 0;
}

void CPageWriter::Append(std::u16string_view text) {
    if (mFileNo == 0)
        RaiseNoFile();
    mFile.Append(text);
}

void CPageWriter::RaiseNoFile() {
    throw CError::BadFileNumber();
}

void CPageWriter::WritePageHead(std::u16string_view bodyTagTail) {
    std::u16string head = mTemplates.head;
    ReplaceAll(head, u"%BODY_TAG_TAIL%", bodyTagTail);
    static constexpr std::uint8_t kSignature[] = {0xEF, 0xBB, 0xBF}; // UTF-8's byte-order mark
    if (mFileNo == 0)
        throw CError::BadFileNumber();
    if (mFileNo == kInMemory || mBodyOnly)
        return;
    mFile.AppendBytes(kSignature, sizeof kSignature);
    Append(head);
}

void CPageWriter::WritePageTail() {
    if (mFileNo != kInMemory && !mBodyOnly)
        Append(mTemplates.tail);
    // The tail is the page's last piece: from here on closing the file puts the page in place.
    mFile.MarkComplete();
}
