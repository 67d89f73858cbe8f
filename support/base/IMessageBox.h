#pragma once

#include <cstdint>
#include <string>

/// A plain modal message box with one OK button, captioned with the application title.
class IMessageBox {
public:
    static constexpr std::int32_t kStopIcon = 16;
    static constexpr std::int32_t kInformationIcon = 64;

    virtual ~IMessageBox() = default;
    virtual void MsgBox(const std::u16string& text, std::int32_t style) = 0;
};
