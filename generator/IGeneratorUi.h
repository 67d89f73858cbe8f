#pragma once

#include <cstdint>

/// What a save asks of the window besides its messages: the busy pointer and a repaint of the
/// main window before the walk.
class IGeneratorUi {
public:
    static constexpr std::int32_t kDefaultPointer = 0;
    static constexpr std::int32_t kBusyPointer = 11;

    virtual ~IGeneratorUi() = default;
    virtual void SetMousePointer(std::int32_t pointer) = 0;
    virtual void RepaintMainWindow() = 0;
};
