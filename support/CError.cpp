#include "CError.h"

#include "writers/modUTF8.h"

#include <cstring>
#include <new>

CError::CError(std::int32_t number, std::u16string description)
    : mNumber(number), mDescription(std::move(description)) {
    const auto bytes = StringToUTF8(mDescription);
    mWhat.assign(bytes.begin(), bytes.end());
}

CError CError::Overflow() {
    return CError(6, u"Overflow");
}

CError CError::BadFileNumber() {
    return CError(52, u"Bad file name or number");
}

CError CError::FromErrno(int errnoValue) {
    return CError(errnoValue, UTF8Decode(std::strerror(errnoValue)));
}

CError CError::FromCurrentException() {
    try {
        throw;
    } catch (const CError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return CError(7, u"Out of memory");
    } catch (const std::exception& other) {
        return CError(51, u"Internal error: " + UTF8Decode(other.what()));
    } catch (...) {
        return CError(51, u"Internal error");
    }
}
