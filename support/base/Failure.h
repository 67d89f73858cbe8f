#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

/// A failure with a number and a description, as the program's error reports show them.
///
/// Numbers below kOwnBase are the system's own (errno: 2 is "Нет такого файла или каталога", 13
/// "Отказано в доступе", 28 "На устройстве не осталось свободного места"); the program's own
/// failures are numbered from kOwnBase up, so no number ever means two failures. The list below is
/// the whole catalogue.
class Failure : public std::exception {
public:
    static constexpr std::int32_t kOwnBase = 1000;

    static constexpr std::int32_t kInvalidCall = 1005;      ///< a bad argument to a helper
    static constexpr std::int32_t kOverflow = 1006;         ///< arithmetic that does not fit
    static constexpr std::int32_t kOutOfMemory = 1007;      ///< an allocation failed
    static constexpr std::int32_t kDivisionByZero = 1011;   ///< a screen measured as zero
    static constexpr std::int32_t kInternal = 1051;         ///< anything not foreseen
    static constexpr std::int32_t kNoFileOpen = 1052;       ///< a writer appends without a file
    static constexpr std::int32_t kFileNotFound = 1053;     ///< a component's file is missing
    static constexpr std::int32_t kPathAccess = 1075;       ///< settings or a program unreachable
    static constexpr std::int32_t kObjectNotSet = 1091;     ///< a component could not be made
    static constexpr std::int32_t kResourceNotFound = 1326; ///< an icon missing from the build
    static constexpr std::int32_t kInvalidPicture = 1481;   ///< no reader could decode the file
    static constexpr std::int32_t kEmptyPicture = 1482;     ///< the file holds no byte
    static constexpr std::int32_t kPictureCutShort = 1483;  ///< the file ends before the picture
    static constexpr std::int32_t kPictureTooLarge = 1484;  ///< a side above the limit
    static constexpr std::int32_t kNotRegularFile = 1485;   ///< a FIFO, device or socket
    static constexpr std::int32_t kPictureNoMemory = 1486;  ///< the pixels could not be held
    static constexpr std::int32_t kInputTooLarge = 1487;    ///< standard input beyond the limit
    static constexpr std::int32_t kStartUpFileTooLarge = 1490; ///< a template or source text
    static constexpr std::int32_t kOutputIsInput = 1500;       ///< a page over its picture/template
    static constexpr std::int32_t kOutputTwice = 1501;         ///< two pages of one run, one name
    static constexpr std::int32_t kStreamClosed =
        1502; ///< a standard stream the run needs is closed

    Failure(std::int32_t number, QString description);

    std::int32_t Number() const noexcept { return mNumber; }
    const QString& Description() const noexcept { return mDescription; }
    const char* what() const noexcept override { return mWhat.c_str(); }

    static Failure Overflow();
    /// A page writer asked to write while it has no page file open (kNoFileOpen).
    static Failure NoPageOpen();
    /// A failed system call: the system's error number and its text.
    static Failure FromErrno(int errnoValue);
    /// Whatever else was thrown, turned into a report that can be shown.
    static Failure FromCurrentException();

private:
    std::int32_t mNumber;
    QString mDescription;
    std::string mWhat;
};
