#pragma once

#include <cstdint>

/// What a walk tells besides its messages: a word after every row.
class IGeneratorUi {
public:
    virtual ~IGeneratorUi() = default;
    /// After each row of the walk, on the thread that walks: `rowsDone` of `rows` are written.
    /// False stops the walk there, between rows: the page is dropped unfinished, so no page is
    /// left and an old one stays, and nothing is reported, as the user asked for it.
    virtual bool RowWritten(std::int32_t /*rowsDone*/, std::int32_t /*rows*/) { return true; }
};
