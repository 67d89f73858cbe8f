#pragma once

#include "ColorsAndPaths.h"

#include <cstdint>
#include <string>

/// The contract through which the pixel walk drives a page writer. Every operation of the
/// contract itself does nothing and succeeds; a writer signals failure by throwing Failure.
class IAnyPicture {
public:
    virtual ~IAnyPicture() = default;

    virtual void OpenFile(const std::string& /*fileName*/) {}
    virtual void CloseFile() {}
    virtual void Init() {}
    virtual void BeginPicture(std::int32_t /*width*/, std::int32_t /*height*/) {}
    virtual void EndPicture() {}
    virtual void WritePixel(PixelColor /*color*/, std::int32_t /*x*/, std::int32_t /*y*/) {}
    virtual void BeginNewLine(std::int32_t /*y*/) {}
    virtual void EndNewLine(std::int32_t /*y*/) {}
};
