#include "CError.h"
#include "modQtText.h"

#include <QString>
#include <cstring>
#include <new>

CError::CError(std::int32_t number, std::u16string description)
    : mNumber(number), mDescription(std::move(description)) {
    mWhat = QString::fromStdU16String(mDescription).toStdString();
}

CError CError::Overflow() {
    return CError(kOverflow, u"Overflow");
}

CError CError::BadFileNumber() {
    return CError(kNoFileOpen, u"Bad file name or number");
}

CError CError::FromErrno(int errnoValue) {
    return CError(errnoValue, FromQString(QString::fromUtf8(std::strerror(errnoValue))));
}

CError CError::FromCurrentException() {
    try {
        throw;
    } catch (const CError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return CError(kOutOfMemory, u"Out of memory");
    } catch (const std::exception& other) {
        return CError(kInternal,
                      u"Internal error: " + FromQString(QString::fromUtf8(other.what())));
    } catch (...) {
        return CError(kInternal, u"Internal error");
    }
}
