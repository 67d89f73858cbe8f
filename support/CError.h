#pragma once

#include <cstdint>
#include <exception>
#include <string>

/// A failure with a number and a description, as the program's error reports show them.
class CError : public std::exception {
public:
    CError(std::int32_t number, std::u16string description);

    std::int32_t Number() const noexcept { return mNumber; }
    const std::u16string& Description() const noexcept { return mDescription; }
    const char* what() const noexcept override { return mWhat.c_str(); }

    /// Arithmetic that does not fit its type (number 6).
    static CError Overflow();
    /// A file operation on a writer that has no open file (number 52).
    static CError BadFileNumber();
    /// A failed system call: the system's error number and its text.
    static CError FromErrno(int errnoValue);
    /// Whatever else was thrown, turned into a report that can be shown.
    static CError FromCurrentException();

private:
    std::int32_t mNumber;
    std::u16string mDescription;
    std::string mWhat;
};
