#include "PageWriter.h"
#include "TextReplace.h"

#include "Failure.h"
#include "HtmlText.h"

PageWriter::~PageWriter() {
    try {
        CloseFile();
    } catch (...) {
        // Destruction never throws; OutputFile releases the descriptor on its own and leaves no
        // temporary file behind.
    }
}

void PageWriter::OpenFile(const std::string& fileName) {
    if (mFile.IsOpen())
        return;
    mFile.Open(fileName);
}

void PageWriter::OpenBodyInMemory() {
    if (mFile.IsOpen())
        return;
    mFile.OpenMemory();
    mBodyOnly = true;
}

void PageWriter::OpenCounter() {
    if (mFile.IsOpen())
        return;
    mFile.OpenCounter();
}

void PageWriter::CloseFile() {
    if (mFile.IsOpen())
        mFile.Close();
}

void PageWriter::Append(std::u16string_view text) {
    if (!mFile.IsOpen())
        RaiseNoFile();
    mFile.Append(text);
}

void PageWriter::RaiseNoFile() {
    throw Failure::NoPageOpen();
}

void PageWriter::WritePageHead(std::u16string_view bodyTagTail) {
    std::u16string head = mTemplates.head;
    ReplaceAll(head, u"%BODY_TAG_TAIL%", bodyTagTail);
    static constexpr std::uint8_t kSignature[] = {0xEF, 0xBB, 0xBF}; // UTF-8's byte-order mark
    if (!mFile.IsOpen())
        throw Failure::NoPageOpen();
    if (mBodyOnly)
        return;
    mFile.AppendBytes(kSignature, sizeof kSignature);
    Append(head);
}

void PageWriter::WritePageTail() {
    if (!mBodyOnly)
        Append(mTemplates.tail);
    // The tail is the page's last piece: from here on closing the file puts the page in place.
    mFile.MarkComplete();
}
