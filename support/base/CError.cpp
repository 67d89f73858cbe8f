#include "CError.h"
#include "modLanguage.h"
#include "modQtText.h"

#include <QString>
#include <cerrno>
#include <cstring>
#include <new>

namespace {

struct ErrnoText {
    int number;
    const char* text;
};

// The failures of the system the program meets in its reports, described in the program's own
// language so that a report never switches language halfway; any other number keeps the system's
// description.
constexpr ErrnoText kErrnoTexts[] = {
    {EPERM, QT_TRANSLATE_NOOP("Tesselet", "Операция не позволена")},
    {ENOENT, QT_TRANSLATE_NOOP("Tesselet", "Нет такого файла или каталога")},
    {EIO, QT_TRANSLATE_NOOP("Tesselet", "Ошибка ввода-вывода")},
    {ENOMEM, QT_TRANSLATE_NOOP("Tesselet", "Недостаточно памяти")},
    {EACCES, QT_TRANSLATE_NOOP("Tesselet", "Отказано в доступе")},
    {EBUSY, QT_TRANSLATE_NOOP("Tesselet", "Устройство или ресурс занято")},
    {EEXIST, QT_TRANSLATE_NOOP("Tesselet", "Файл существует")},
    {EXDEV, QT_TRANSLATE_NOOP("Tesselet", "Ссылка между разными устройствами")},
    {ENOTDIR, QT_TRANSLATE_NOOP("Tesselet", "Это не каталог")},
    {EISDIR, QT_TRANSLATE_NOOP("Tesselet", "Это каталог")},
    {EMFILE, QT_TRANSLATE_NOOP("Tesselet", "Слишком много открытых файлов")},
    {ETXTBSY, QT_TRANSLATE_NOOP("Tesselet", "Текстовый файл занят")},
    {EFBIG, QT_TRANSLATE_NOOP("Tesselet", "Файл слишком велик")},
    {ENOSPC, QT_TRANSLATE_NOOP("Tesselet", "На устройстве не осталось свободного места")},
    {EROFS, QT_TRANSLATE_NOOP("Tesselet", "Файловая система только для чтения")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("Tesselet", "Слишком длинное имя файла")},
    {ELOOP, QT_TRANSLATE_NOOP("Tesselet", "Слишком много уровней символьных ссылок")},
    {EDQUOT, QT_TRANSLATE_NOOP("Tesselet", "Превышена дисковая квота")},
};

} // namespace

CError::CError(std::int32_t number, std::u16string description)
    : mNumber(number), mDescription(std::move(description)) {
    mWhat = QString::fromStdU16String(mDescription).toStdString();
}

CError CError::Overflow() {
    return CError(kOverflow, Tr(QT_TRANSLATE_NOOP("Tesselet", "Переполнение")));
}

CError CError::BadFileNumber() {
    return CError(kNoFileOpen, Tr(QT_TRANSLATE_NOOP("Tesselet", "Неверное имя или номер файла")));
}

CError CError::FromErrno(int errnoValue) {
    for (const ErrnoText& known : kErrnoTexts) {
        if (known.number == errnoValue)
            return CError(errnoValue, Tr(known.text));
    }
    return CError(errnoValue, FromQString(QString::fromUtf8(std::strerror(errnoValue))));
}

CError CError::FromCurrentException() {
    try {
        throw;
    } catch (const CError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        // Not ENOMEM's words: the system's failure and the program's are told apart.
        return CError(kOutOfMemory, Tr(QT_TRANSLATE_NOOP("Tesselet", "Не хватает памяти")));
    } catch (const std::exception& other) {
        return CError(kInternal, Tr(QT_TRANSLATE_NOOP("Tesselet", "Внутренняя ошибка: %1"),
                                    FromQString(QString::fromUtf8(other.what()))));
    } catch (...) {
        return CError(kInternal, Tr(QT_TRANSLATE_NOOP("Tesselet", "Внутренняя ошибка")));
    }
}
