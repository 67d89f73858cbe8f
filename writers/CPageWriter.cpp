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

void CPageWriter::OpenFile(const std::u16string& fileName) {
    if (mFile.IsOpen())
        return;
    mFile.Open(fileName);
}

void CPageWriter::OpenBodyInMemory() {
    if (mFile.IsOpen())
        return;
    mFile.OpenMemory();
    mBodyOnly = true;
}

void CPageWriter::OpenCounter() {
    if (mFile.IsOpen())
        return;
    mFile.OpenCounter();
}

void CPageWriter::CloseFile() {
    if (mFile.IsOpen())
        mFile.Close();
}

void CPageWriter::Append(std::u16string_view text) {
    if (!mFile.IsOpen())
        RaiseNoFile();
    mFile.Append(text);
}

void CPageWriter::RaiseNoFile() {
    throw CError::NoPageOpen();
}

void CPageWriter::WritePageHead(std::u16string_view bodyTagTail) {
    std::u16string head = mTemplates.head;
    ReplaceAll(head, u"%BODY_TAG_TAIL%", bodyTagTail);
    static constexpr std::uint8_t kSignature[] = {0xEF, 0xBB, 0xBF}; // UTF-8's byte-order mark
    if (!mFile.IsOpen())
        throw CError::NoPageOpen();
    if (mBodyOnly)
        return;
    mFile.AppendBytes(kSignature, sizeof kSignature);
    Append(head);
}

void CPageWriter::WritePageTail() {
    if (!mBodyOnly)
        Append(mTemplates.tail);
    // The tail is the page's last piece: from here on closing the file puts the page in place.
    mFile.MarkComplete();
}
