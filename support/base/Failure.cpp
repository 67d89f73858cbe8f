#include "Failure.h"
#include "Language.h"

#include <QString>
#include <cerrno>
#include <cstring>
#include <new>

namespace {

struct ErrnoText {
    int number;
    const char* text;
};

// Every failure of the system (each errno of Linux), described in the program's own language so
// that a report never switches language halfway: the system's own descriptions follow the locale's
// language, which may have none or differ from the run's (Russian under the C locale).
constexpr ErrnoText kErrnoTexts[] = {
    {EPERM, QT_TRANSLATE_NOOP("Tesselet", "Операция не позволена")},
    {ENOENT, QT_TRANSLATE_NOOP("Tesselet", "Нет такого файла или каталога")},
    {ESRCH, QT_TRANSLATE_NOOP("Tesselet", "Нет такого процесса")},
    {EINTR, QT_TRANSLATE_NOOP("Tesselet", "Прерван системный вызов")},
    {EIO, QT_TRANSLATE_NOOP("Tesselet", "Ошибка ввода-вывода")},
    {ENXIO, QT_TRANSLATE_NOOP("Tesselet", "Нет такого устройства или адреса")},
    {E2BIG, QT_TRANSLATE_NOOP("Tesselet", "Слишком длинный список аргументов")},
    {ENOEXEC, QT_TRANSLATE_NOOP("Tesselet", "Ошибка формата выполняемого файла")},
    {EBADF, QT_TRANSLATE_NOOP("Tesselet", "Неправильный дескриптор файла")},
    {ECHILD, QT_TRANSLATE_NOOP("Tesselet", "Нет дочерних процессов")},
    {EAGAIN, QT_TRANSLATE_NOOP("Tesselet", "Ресурс временно недоступен")},
    {ENOMEM, QT_TRANSLATE_NOOP("Tesselet", "Недостаточно памяти")},
    {EACCES, QT_TRANSLATE_NOOP("Tesselet", "Отказано в доступе")},
    {EFAULT, QT_TRANSLATE_NOOP("Tesselet", "Неправильный адрес")},
    {ENOTBLK, QT_TRANSLATE_NOOP("Tesselet", "Требуется блочное устройство")},
    {EBUSY, QT_TRANSLATE_NOOP("Tesselet", "Устройство или ресурс занято")},
    {EEXIST, QT_TRANSLATE_NOOP("Tesselet", "Файл существует")},
    {EXDEV, QT_TRANSLATE_NOOP("Tesselet", "Ссылка между разными устройствами")},
    {ENODEV, QT_TRANSLATE_NOOP("Tesselet", "Нет такого устройства")},
    {ENOTDIR, QT_TRANSLATE_NOOP("Tesselet", "Это не каталог")},
    {EISDIR, QT_TRANSLATE_NOOP("Tesselet", "Это каталог")},
    {EINVAL, QT_TRANSLATE_NOOP("Tesselet", "Недопустимый аргумент")},
    {ENFILE, QT_TRANSLATE_NOOP("Tesselet", "Слишком много открытых файлов в системе")},
    {EMFILE, QT_TRANSLATE_NOOP("Tesselet", "Слишком много открытых файлов")},
    {ENOTTY, QT_TRANSLATE_NOOP("Tesselet", "Неприменимый к данному устройству ioctl")},
    {ETXTBSY, QT_TRANSLATE_NOOP("Tesselet", "Текстовый файл занят")},
    {EFBIG, QT_TRANSLATE_NOOP("Tesselet", "Файл слишком велик")},
    {ENOSPC, QT_TRANSLATE_NOOP("Tesselet", "На устройстве не осталось свободного места")},
    {ESPIPE, QT_TRANSLATE_NOOP("Tesselet", "Недопустимая операция смещения")},
    {EROFS, QT_TRANSLATE_NOOP("Tesselet", "Файловая система только для чтения")},
    {EMLINK, QT_TRANSLATE_NOOP("Tesselet", "Слишком много ссылок")},
    {EPIPE, QT_TRANSLATE_NOOP("Tesselet", "Обрыв канала")},
    {EDOM, QT_TRANSLATE_NOOP("Tesselet", "Числовой аргумент вне области определения")},
    {ERANGE, QT_TRANSLATE_NOOP("Tesselet", "Числовой результат вне представимого диапазона")},
    {EDEADLK,
     QT_TRANSLATE_NOOP("Tesselet", "Предотвращена тупиковая ситуация при обращении к ресурсу")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("Tesselet", "Слишком длинное имя файла")},
    {ENOLCK, QT_TRANSLATE_NOOP("Tesselet", "Нет доступных блокировок")},
    {ENOSYS, QT_TRANSLATE_NOOP("Tesselet", "Функция не реализована")},
    {ENOTEMPTY, QT_TRANSLATE_NOOP("Tesselet", "Каталог не пуст")},
    {ELOOP, QT_TRANSLATE_NOOP("Tesselet", "Слишком много уровней символьных ссылок")},
    {ENOMSG, QT_TRANSLATE_NOOP("Tesselet", "Нет сообщения желаемого типа")},
    {EIDRM, QT_TRANSLATE_NOOP("Tesselet", "Идентификатор был удален")},
    {ECHRNG, QT_TRANSLATE_NOOP("Tesselet", "Номер канала вне диапазона")},
    {EL2NSYNC, QT_TRANSLATE_NOOP("Tesselet", "Уровень 2 не синхронизирован")},
    {EL3HLT, QT_TRANSLATE_NOOP("Tesselet", "Уровень 3 остановлен")},
    {EL3RST, QT_TRANSLATE_NOOP("Tesselet", "Уровень 3 сброшен")},
    {ELNRNG, QT_TRANSLATE_NOOP("Tesselet", "Число ссылок вне допустимого диапазона")},
    {EUNATCH, QT_TRANSLATE_NOOP("Tesselet", "Драйвер протокола не подсоединен")},
    {ENOCSI, QT_TRANSLATE_NOOP("Tesselet", "Нет доступной CSI-структуры")},
    {EL2HLT, QT_TRANSLATE_NOOP("Tesselet", "Уровень 2 остановлен")},
    {EBADE, QT_TRANSLATE_NOOP("Tesselet", "Некорректный обмен")},
    {EBADR, QT_TRANSLATE_NOOP("Tesselet", "Неверный дескриптор запроса")},
    {EXFULL, QT_TRANSLATE_NOOP("Tesselet", "Обмен полный")},
    {ENOANO, QT_TRANSLATE_NOOP("Tesselet", "Нет anode")},
    {EBADRQC, QT_TRANSLATE_NOOP("Tesselet", "Неверный код запроса")},
    {EBADSLT, QT_TRANSLATE_NOOP("Tesselet", "Некорректный слот")},
    {EBFONT, QT_TRANSLATE_NOOP("Tesselet", "Неверный формат файла со шрифтом")},
    {ENOSTR, QT_TRANSLATE_NOOP("Tesselet", "Устройство не является потоком")},
    {ENODATA, QT_TRANSLATE_NOOP("Tesselet", "Нет доступных данных")},
    {ETIME, QT_TRANSLATE_NOOP("Tesselet", "Таймер истек")},
    {ENOSR, QT_TRANSLATE_NOOP("Tesselet", "Недостаточно потоковых ресурсов")},
    {ENONET, QT_TRANSLATE_NOOP("Tesselet", "Машина не в сети")},
    {ENOPKG, QT_TRANSLATE_NOOP("Tesselet", "Пакет не установлен")},
    {EREMOTE, QT_TRANSLATE_NOOP("Tesselet", "Это удаленный объект")},
    {ENOLINK, QT_TRANSLATE_NOOP("Tesselet", "Соединение было разорвано")},
    {EADV, QT_TRANSLATE_NOOP("Tesselet", "Ошибка объявления")},
    {ESRMNT, QT_TRANSLATE_NOOP("Tesselet", "Ошибка Srmount")},
    {ECOMM, QT_TRANSLATE_NOOP("Tesselet", "Ошибка связи при отправке")},
    {EPROTO, QT_TRANSLATE_NOOP("Tesselet", "Ошибка протокола")},
    {EMULTIHOP, QT_TRANSLATE_NOOP("Tesselet", "Попытка Multihop")},
    {EDOTDOT, QT_TRANSLATE_NOOP("Tesselet", "Специфичная для RFS ошибка")},
    {EBADMSG, QT_TRANSLATE_NOOP("Tesselet", "Неправильное сообщение")},
    {EOVERFLOW, QT_TRANSLATE_NOOP("Tesselet", "Значение слишком велико для такого типа данных")},
    {ENOTUNIQ, QT_TRANSLATE_NOOP("Tesselet", "Имя не уникально в сети")},
    {EBADFD, QT_TRANSLATE_NOOP("Tesselet", "Дескриптор файла в плохом состоянии")},
    {EREMCHG, QT_TRANSLATE_NOOP("Tesselet", "Удаленный адрес был изменен")},
    {ELIBACC,
     QT_TRANSLATE_NOOP("Tesselet", "Невозможно получить доступ к нужной разделяемой библиотеке")},
    {ELIBBAD, QT_TRANSLATE_NOOP("Tesselet", "Обращение к поврежденной разделяемой библиотеке")},
    {ELIBSCN, QT_TRANSLATE_NOOP("Tesselet", "Секция .lib в a.out повреждена")},
    {ELIBMAX,
     QT_TRANSLATE_NOOP("Tesselet", "Попытка подключить слишком много разделяемых библиотек")},
    {ELIBEXEC,
     QT_TRANSLATE_NOOP("Tesselet", "Невозможно непосредственно выполнить разделяемую библиотеку")},
    {EILSEQ,
     QT_TRANSLATE_NOOP("Tesselet", "Неверный или неполный мультибайтный или широкий символ")},
    {ERESTART, QT_TRANSLATE_NOOP("Tesselet", "Прерванный системный вызов следует перезапустить")},
    {ESTRPIPE, QT_TRANSLATE_NOOP("Tesselet", "Ошибка потоков канала")},
    {EUSERS, QT_TRANSLATE_NOOP("Tesselet", "Слишком много пользователей")},
    {ENOTSOCK, QT_TRANSLATE_NOOP("Tesselet", "Операция для сокета применена к не-сокету")},
    {EDESTADDRREQ, QT_TRANSLATE_NOOP("Tesselet", "Требуется указать адрес назначения")},
    {EMSGSIZE, QT_TRANSLATE_NOOP("Tesselet", "Сообщение слишком длинное")},
    {EPROTOTYPE, QT_TRANSLATE_NOOP("Tesselet", "Неподдерживаемый тип протокола для сокета")},
    {ENOPROTOOPT, QT_TRANSLATE_NOOP("Tesselet", "Протокол недоступен")},
    {EPROTONOSUPPORT, QT_TRANSLATE_NOOP("Tesselet", "Протокол не поддерживается")},
    {ESOCKTNOSUPPORT, QT_TRANSLATE_NOOP("Tesselet", "Неподдерживаемый тип сокета")},
    {EOPNOTSUPP, QT_TRANSLATE_NOOP("Tesselet", "Неподдерживаемая операция")},
    {EPFNOSUPPORT, QT_TRANSLATE_NOOP("Tesselet", "Неподдерживаемое семейство протоколов")},
    {EAFNOSUPPORT, QT_TRANSLATE_NOOP("Tesselet", "Семейство адресов не поддерживается протоколом")},
    {EADDRINUSE, QT_TRANSLATE_NOOP("Tesselet", "Адрес уже используется")},
    {EADDRNOTAVAIL, QT_TRANSLATE_NOOP("Tesselet", "Невозможно назначить запрошенный адрес")},
    {ENETDOWN, QT_TRANSLATE_NOOP("Tesselet", "Сеть не работает")},
    {ENETUNREACH, QT_TRANSLATE_NOOP("Tesselet", "Сеть недоступна")},
    {ENETRESET, QT_TRANSLATE_NOOP("Tesselet", "Сетевое соединение было разорвано")},
    {ECONNABORTED, QT_TRANSLATE_NOOP("Tesselet", "Программа вызвала разрыв соединения")},
    {ECONNRESET, QT_TRANSLATE_NOOP("Tesselet", "Соединение разорвано другой стороной")},
    {ENOBUFS, QT_TRANSLATE_NOOP("Tesselet", "Недостаточно буферного пространства")},
    {EISCONN, QT_TRANSLATE_NOOP("Tesselet", "Конечная точка передачи уже подсоединена")},
    {ENOTCONN, QT_TRANSLATE_NOOP("Tesselet", "Конечная точка передачи не подсоединена")},
    {ESHUTDOWN,
     QT_TRANSLATE_NOOP("Tesselet",
                       "Невозможно отправить данные после выключения конечной точки передачи")},
    {ETOOMANYREFS, QT_TRANSLATE_NOOP("Tesselet", "Слишком много ссылок: невозможно объединить")},
    {ETIMEDOUT, QT_TRANSLATE_NOOP("Tesselet", "Время ожидания соединения истекло")},
    {ECONNREFUSED, QT_TRANSLATE_NOOP("Tesselet", "В соединении отказано")},
    {EHOSTDOWN, QT_TRANSLATE_NOOP("Tesselet", "Узел выключен")},
    {EHOSTUNREACH, QT_TRANSLATE_NOOP("Tesselet", "Нет маршрута до узла")},
    {EALREADY, QT_TRANSLATE_NOOP("Tesselet", "Операция уже выполняется")},
    {EINPROGRESS, QT_TRANSLATE_NOOP("Tesselet", "Операция выполняется в данный момент")},
    {ESTALE, QT_TRANSLATE_NOOP("Tesselet", "Устаревший дескриптор файла")},
    {EUCLEAN, QT_TRANSLATE_NOOP("Tesselet", "Структуру необходимо почистить")},
    {ENOTNAM, QT_TRANSLATE_NOOP("Tesselet", "Не является файлом именованного типа XENIX")},
    {ENAVAIL, QT_TRANSLATE_NOOP("Tesselet", "Семафоры XENIX недоступны")},
    {EISNAM, QT_TRANSLATE_NOOP("Tesselet", "Является файлом именованного типа")},
    {EREMOTEIO, QT_TRANSLATE_NOOP("Tesselet", "Ошибка удаленного ввода/вывода")},
    {EDQUOT, QT_TRANSLATE_NOOP("Tesselet", "Превышена дисковая квота")},
    {ENOMEDIUM, QT_TRANSLATE_NOOP("Tesselet", "Носитель не найден")},
    {EMEDIUMTYPE, QT_TRANSLATE_NOOP("Tesselet", "Неправильный тип носителя")},
    {ECANCELED, QT_TRANSLATE_NOOP("Tesselet", "Операция отменена")},
    {ENOKEY, QT_TRANSLATE_NOOP("Tesselet", "Требуемый ключ недоступен")},
    {EKEYEXPIRED, QT_TRANSLATE_NOOP("Tesselet", "Время жизни ключа истекло")},
    {EKEYREVOKED, QT_TRANSLATE_NOOP("Tesselet", "Ключ был отозван")},
    {EKEYREJECTED, QT_TRANSLATE_NOOP("Tesselet", "Ключ был отвергнут службой")},
    {EOWNERDEAD, QT_TRANSLATE_NOOP("Tesselet", "Владелец умер")},
    {ENOTRECOVERABLE, QT_TRANSLATE_NOOP("Tesselet", "Состояние нельзя восстановить")},
    {ERFKILL, QT_TRANSLATE_NOOP("Tesselet", "Операция не позволяется из-за RF-kill")},
    {EHWPOISON, QT_TRANSLATE_NOOP("Tesselet", "В странице памяти аппаратная ошибка")},
};

} // namespace

Failure::Failure(std::int32_t number, QString description)
    : mNumber(number), mDescription(std::move(description)) {
    mWhat = mDescription.toStdString();
}

Failure Failure::Overflow() {
    return Failure(kOverflow, Tr(QT_TRANSLATE_NOOP("Tesselet", "Переполнение")));
}

Failure Failure::NoPageOpen() {
    return Failure(kNoFileOpen, Tr(QT_TRANSLATE_NOOP("Tesselet", "Неверное имя или номер файла")));
}

Failure Failure::FromErrno(int errnoValue) {
    for (const ErrnoText& known : kErrnoTexts) {
        if (known.number == errnoValue)
            return Failure(errnoValue, Tr(known.text));
    }
    return Failure(errnoValue, Tr(QT_TRANSLATE_NOOP("Tesselet", "Неизвестная ошибка системы %1"),
                                  QString::number(errnoValue)));
}

Failure Failure::FromCurrentException() {
    try {
        throw;
    } catch (const Failure& error) {
        return error;
    } catch (const std::bad_alloc&) {
        // Not ENOMEM's words: the system's failure and the program's are told apart.
        return Failure(kOutOfMemory, Tr(QT_TRANSLATE_NOOP("Tesselet", "Не хватает памяти")));
    } catch (const std::exception& other) {
        return Failure(kInternal, Tr(QT_TRANSLATE_NOOP("Tesselet", "Внутренняя ошибка: %1"),
                                     QString::fromUtf8(other.what())));
    } catch (...) {
        return Failure(kInternal, Tr(QT_TRANSLATE_NOOP("Tesselet", "Внутренняя ошибка")));
    }
}
