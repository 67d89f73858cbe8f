#pragma once

#include "ColorsAndPaths.h"

#include <cstdint>
#include <string>

/// The contract through which the pixel walk drives a page writer. Every operation of the
/// contract itself does nothing and succeeds; a writer signals failure by throwing Failure.
class IAnyPicture {
public:
    virtual ~IAnyPicture() = default;

    virtual void OpenFile(const std::string& /*FileName*/) {}
    virtual void CloseFile() {}
    virtual void Init() {}
    virtual void BeginPicture(std::int32_t /*Width*/, std::int32_t /*Height*/) {}
    virtual void EndPicture() {}
    virtual void WritePixel(PixelColor /*Color*/, std::int32_t /*X*/, std::int32_t /*Y*/) {}
    virtual void BeginNewLine(std::int32_t /*Y*/) {}
    virtual void EndNewLine(std::int32_t /*Y*/) {}
};
