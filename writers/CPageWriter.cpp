#include "CPageWriter.h"

#include "modCommon.h"
#include "support/CError.h"
#include "templates/modSourceAndTemplates.h"

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
    std::u16string head = gTemplateHead;
    ReplaceAll(head, u"%BODY_TAG_TAIL%", bodyTagTail);
    // "п»ї" is how the UTF-8 signature EF BB BF reads in code page 1251.
    static const auto signature = ksStrConvB(u"п»ї");
    if (mFileNo == 0)
        throw CError::BadFileNumber();
    mFile.AppendBytes(signature.data(), signature.size());
    Append(head);
}

void CPageWriter::WritePageTail() {
    Append(gTemplateTail);
    // The tail is the page's last piece: from here on closing the file puts the page in place.
    mFile.MarkComplete();
}
