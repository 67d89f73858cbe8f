#pragma once

#include <cstdint>
#include <string>

/// The few things of the user interface that a save needs: the busy pointer, a repaint of the main
/// window before the walk, and a plain message box.
class IGeneratorUi {
public:
    static constexpr std::int32_t kDefaultPointer = 0;
    static constexpr std::int32_t kBusyPointer = 11;
    static constexpr std::int32_t kStopIcon = 16;
    static constexpr std::int32_t kInformationIcon = 64;

    virtual ~IGeneratorUi() = default;
    virtual void SetMousePointer(std::int32_t pointer) = 0;
    virtual void RepaintMainWindow() = 0;
    /// A modal message box captioned with the application title.
    virtual void MsgBox(const std::u16string& text, std::int32_t style) = 0;
};
