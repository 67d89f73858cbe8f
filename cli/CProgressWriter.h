#pragma once

#include "writers/IAnyPicture.h"

#include <chrono>
#include <cstdio>
#include <string>

/// Passes every call on to the real writer and shows on a terminal how many rows are written.
class CProgressWriter final : public IAnyPicture {
public:
    CProgressWriter(IAnyPicture& inner, std::string label, std::FILE* stream);

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
    std::int32_t mHeight = 0;
    std::chrono::steady_clock::time_point mNextReport;
    bool mShown = false;
};
