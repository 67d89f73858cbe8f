<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Tesselet</name>
    <message>
        <source>1. Загрузить картинку</source>
        <translation>1. Load picture</translation>
    </message>
    <message>
        <source>2. Показать картинку</source>
        <translation>2. Show picture</translation>
    </message>
    <message>
        <source>3. Сохранить SPAN картинку</source>
        <translation>3. Save SPAN picture</translation>
    </message>
    <message>
        <source>4. Сохранить TABLE картинку</source>
        <translation>4. Save TABLE picture</translation>
    </message>
    <message>
        <source>5. Сохранить DIV картинку</source>
        <translation>5. Save DIV picture</translation>
    </message>
    <message>
        <source>Собрано для тех, кто видит в картинке мозаику.</source>
        <translation>Made for those who see a mosaic in a picture.</translation>
    </message>
    <message>
        <source>--%1: нужно целое число от 1 до %2</source>
        <translation>--%1 needs a whole number from 1 to %2</translation>
    </message>
    <message>
        <source>Превращает картинки в HTML-страницы: по ячейке таблицы, цветному символу или элементу на каждый пиксель.</source>
        <translation>Turns pictures into HTML pages: one table cell, coloured character or element per pixel.</translation>
    </message>
    <message>
        <source>Записать страницу в FILE (только одна картинка и один стиль; - означает стандартный вывод).</source>
        <translation>Write the page to FILE (one picture and one style only; - is standard output).</translation>
    </message>
    <message>
        <source>Записать страницы в папку DIR.</source>
        <translation>Write the pages into DIR.</translation>
    </message>
    <message>
        <source>Читать source.text, template.1.html и template.2.html из папки DIR.</source>
        <translation>Read source.text, template.1.html and template.2.html from DIR.</translation>
    </message>
    <message>
        <source>Сначала масштабировать картинку до ширины N пикселей.</source>
        <translation>Scale the picture to N pixels wide first.</translation>
    </message>
    <message>
        <source>Сначала масштабировать картинку до высоты N пикселей.</source>
        <translation>Scale the picture to N pixels high first.</translation>
    </message>
    <message>
        <source>Не печатать ничего, кроме сбоев.</source>
        <translation>Print nothing but failures.</translation>
    </message>
    <message>
        <source>Картинки, которые нужно превратить.</source>
        <translation>Pictures to convert.</translation>
    </message>
    <message>
        <source>не задано ни одной картинки</source>
        <translation>no picture given</translation>
    </message>
    <message>
        <source>«-» (стандартный ввод) можно указать только один раз</source>
        <translation>&quot;-&quot; (standard input) can be given once</translation>
    </message>
    <message>
        <source>картинке со стандартного ввода («-») нужен --output или --out-dir</source>
        <translation>a picture from standard input (&quot;-&quot;) needs --output or --out-dir</translation>
    </message>
    <message>
        <source>--output нужны одна картинка и один --style</source>
        <translation>--output needs one picture and one --style</translation>
    </message>
    <message>
        <source>--output и --out-dir исключают друг друга</source>
        <translation>--output and --out-dir exclude each other</translation>
    </message>
    <message>
        <source>строка %1 из %2 (%3%)</source>
        <translation>row %1 of %2 (%3%)</translation>
    </message>
    <message>
        <source>Попробуйте «tesselet-cli --help».</source>
        <translation>Try &apos;tesselet-cli --help&apos;.</translation>
    </message>
    <message>
        <source>Операция не позволена</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>Нет такого файла или каталога</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>Ошибка ввода-вывода</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Недостаточно памяти</source>
        <translation>Cannot allocate memory</translation>
    </message>
    <message>
        <source>Отказано в доступе</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Устройство или ресурс занято</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Файл существует</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>Ссылка между разными устройствами</source>
        <translation>Invalid cross-device link</translation>
    </message>
    <message>
        <source>Это не каталог</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>Это каталог</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>Слишком много открытых файлов</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Текстовый файл занят</source>
        <translation>Text file busy</translation>
    </message>
    <message>
        <source>Файл слишком велик</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>На устройстве не осталось свободного места</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>Файловая система только для чтения</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>Слишком длинное имя файла</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>Слишком много уровней символьных ссылок</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>Превышена дисковая квота</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл.</source>
        <translation>Could not save the file.</translation>
    </message>
    <message>
        <source>Не удалось загрузить файл. Формат не поддерживается, либо это не картинка.</source>
        <translation>Could not load the file. The format is not supported, or it is not a picture.</translation>
    </message>
    <message>
        <source>Не удалось загрузить файл.</source>
        <translation>Could not load the file.</translation>
    </message>
    <message>
        <source>Не удалось загрузить файл шаблона. Продолжение невозможно.</source>
        <translation>Could not load the template file. Cannot continue.</translation>
    </message>
    <message>
        <source>Не удалось инициализировать кодек.</source>
        <translation>Could not initialise the codec.</translation>
    </message>
    <message>
        <source>Готово ^_^</source>
        <translation>Done ^_^</translation>
    </message>
    <message>
        <source>Ошибка %1: %2</source>
        <translation>Error %1: %2</translation>
    </message>
    <message>
        <source>Версия </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Не удалось получить контекст устройства экрана.</source>
        <translation>Could not get the screen&apos;s device context.</translation>
    </message>
    <message>
        <source>Не удалось скопировать картинку на контекст устройства экрана.</source>
        <translation>Could not copy the picture to the screen&apos;s device context.</translation>
    </message>
    <message>
        <source>Картинки</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>Все файлы</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>HTML файлы</source>
        <translation>HTML files</translation>
    </message>
    <message>
        <source>SPAN картинки</source>
        <translation>SPAN pictures</translation>
    </message>
    <message>
        <source>TABLE картинки</source>
        <translation>TABLE pictures</translation>
    </message>
    <message>
        <source>DIV картинки</source>
        <translation>DIV pictures</translation>
    </message>
    <message>
        <source>Сжатые TABLE картинки</source>
        <translation>Compact TABLE pictures</translation>
    </message>
    <message>
        <source>TABLE картинки для писем</source>
        <translation>TABLE pictures for e-mail</translation>
    </message>
    <message>
        <source>Страница займёт примерно %1 МБ. Всё равно сохранить?</source>
        <translation>The page will take about %1 MB. Save it anyway?</translation>
    </message>
    <message>
        <source>Загрузка картинки…</source>
        <translation>Loading the picture…</translation>
    </message>
    <message>
        <source>Сохранение страницы…</source>
        <translation>Saving the page…</translation>
    </message>
    <message>
        <source>Картинка слишком велика для буфера обмена: таблица заняла бы %1 МБ, а можно не больше %2 МБ.</source>
        <translation>The picture is too large for the clipboard: the table would take %1 MB, and %2 MB is the most.</translation>
    </message>
    <message>
        <source>Переполнение</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Неверное имя или номер файла</source>
        <translation>Bad file name or number</translation>
    </message>
    <message>
        <source>Не хватает памяти</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>Внутренняя ошибка: %1</source>
        <translation>Internal error: %1</translation>
    </message>
    <message>
        <source>Внутренняя ошибка</source>
        <translation>Internal error</translation>
    </message>
    <message>
        <source>Это не обычный файл</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>Это не обычный файл: %1</source>
        <translation>Not a regular file: %1</translation>
    </message>
    <message>
        <source>Внутренняя ошибка: в Qt нет кодека Windows-1251</source>
        <translation>Internal error: Qt has no Windows-1251 codec</translation>
    </message>
    <message>
        <source>Файл больше %1 МиБ</source>
        <translation>The file is larger than %1 MiB</translation>
    </message>
    <message>
        <source>Неверная картинка: %1</source>
        <translation>Invalid picture: %1</translation>
    </message>
    <message>
        <source>%1 x %2 пикселей — больше, чем %3 x %3</source>
        <translation>%1 x %2 pixels is larger than %3 x %3</translation>
    </message>
    <message>
        <source>не хватает памяти для её пикселей</source>
        <translation>not enough memory for its pixels</translation>
    </message>
    <message>
        <source>не хватает памяти для %1 x %2 пикселей</source>
        <translation>not enough memory for %1 x %2 pixels</translation>
    </message>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>Картинку нельзя масштабировать до отрицательного размера</source>
        <translation>A picture cannot be scaled to a negative size</translation>
    </message>
    <message>
        <source>после масштабирования %1 x %2 пикселей — больше, чем %3 x %3</source>
        <translation>scaled to %1 x %2 pixels, larger than %3 x %3</translation>
    </message>
    <message>
        <source>на стандартном вводе больше %1 байт (1 ГиБ) — больше, чем читается для одной картинки</source>
        <translation>standard input holds more than %1 bytes (1 GiB), the most read for one picture</translation>
    </message>
    <message>
        <source>файл кончается раньше картинки</source>
        <translation>the file ends before the picture does</translation>
    </message>
    <message>
        <source>канал, устройство или сокет не читается как картинка; «-» читает картинку со стандартного ввода</source>
        <translation>a pipe, device or socket is not read as a picture; &quot;-&quot; reads the picture from standard input</translation>
    </message>
    <message>
        <source>стандартный ввод пуст</source>
        <translation>standard input is empty</translation>
    </message>
    <message>
        <source>Страница заменила бы свою же картинку %1</source>
        <translation>The page would replace its own picture %1</translation>
    </message>
    <message>
        <source>Страница заменила бы стартовый файл %1</source>
        <translation>The page would replace the start-up file %1</translation>
    </message>
    <message>
        <source>В этот файл в этом запуске уже записана страница картинки %1</source>
        <translation>The page of %1 was written to this file in this run</translation>
    </message>
    <message>
        <source>Ошибка доступа к пути или файлу: %1</source>
        <translation>Path/File access error: %1</translation>
    </message>
    <message>
        <source>Ресурс с идентификатором «%1» не найден</source>
        <translation>Resource with identifier &apos;%1&apos; not found</translation>
    </message>
    <message>
        <source>Файл не найден: %1</source>
        <translation>File not found: %1</translation>
    </message>
    <message>
        <source>Ни одна программа не смогла открыть %1</source>
        <translation>No program could open %1</translation>
    </message>
    <message>
        <source>Не удалось взять картинку</source>
        <translation>The picture could not be taken</translation>
    </message>
    <message>
        <source>--tolerance: нужно число от 0 до 100 (ΔE)</source>
        <translation>--tolerance: a number from 0 to 100 is needed (ΔE)</translation>
    </message>
    <message>
        <source>--background: нужен цвет вида #RRGGBB или его имя (white, black…)</source>
        <translation>--background: a colour is needed, as #RRGGBB or by its name (white, black…)</translation>
    </message>
    <message>
        <source>Страница compact для писем (как --style compact-mail).</source>
        <translation>A compact page for e-mail (as --style compact-mail).</translation>
    </message>
    <message>
        <source>Записать только таблицы, без шаблонов и метки UTF-8 (стили compact).</source>
        <translation>Write the tables alone, without the templates and the UTF-8 mark (compact styles).</translation>
    </message>
    <message>
        <source>Соседние пиксели, чьи цвета отличаются не больше чем на D (ΔE, от 0 до 100), делят ячейку (стили compact).</source>
        <translation>Neighbouring pixels whose colours differ by at most D (ΔE, 0 to 100) share a cell (compact styles).</translation>
    </message>
    <message>
        <source>Цвет, на который ложатся полупрозрачные пиксели: #RRGGBB или имя, white по умолчанию (стили compact).</source>
        <translation>The colour partly transparent pixels lie on: #RRGGBB or a name, white by default (compact styles).</translation>
    </message>
    <message>
        <source>Страница не умещается в %1 байт даже шириной в 1 пиксель: ей нужно %2 байт.</source>
        <translation>The page does not fit into %1 bytes even 1 pixel wide: it needs %2 bytes.</translation>
    </message>
    <message>
        <source>%1: наибольшее отличие цвета ΔE = %2</source>
        <translation>%1: largest colour difference ΔE = %2</translation>
    </message>
    <message>
        <source>--max-bytes: слишком большое число: больше 1024G (1 ТиБ), а страница столько не занимает</source>
        <translation>--max-bytes: too large a number: above 1024G (1 TiB), more than any page takes</translation>
    </message>
    <message>
        <source>--max-bytes: нужно целое число байт больше 0, можно с k (1024 байта), M (1024 k) или G (1024 M)</source>
        <translation>--max-bytes: a whole number of bytes above 0 is needed, perhaps with k (1024 bytes), M (1024 k) or G (1024 M)</translation>
    </message>
    <message>
        <source>--%1: нужно имя папки, а не пустая строка</source>
        <translation>--%1: a folder&apos;s name is needed, not an empty string</translation>
    </message>
    <message>
        <source>Уменьшить картинку так, чтобы страница заняла не больше N байт (k = 1024, M = 1024 k, G = 1024 M).</source>
        <translation>Scale the picture down so that the page takes at most N bytes (k = 1024, M = 1024 k, G = 1024 M).</translation>
    </message>
    <message>
        <source>%1: %2 x %3 пикселей, %4 байт — самая большая ширина, при которой страница не больше %5 байт</source>
        <translation>%1: %2 x %3 pixels, %4 bytes — the largest width at which the page takes at most %5 bytes</translation>
    </message>
    <message>
        <source>не удалось записать в стандартный вывод</source>
        <translation>could not write to standard output</translation>
    </message>
    <message>
        <source>Нет такого процесса</source>
        <translation>No such process</translation>
    </message>
    <message>
        <source>Прерван системный вызов</source>
        <translation>Interrupted system call</translation>
    </message>
    <message>
        <source>Нет такого устройства или адреса</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>Слишком длинный список аргументов</source>
        <translation>Argument list too long</translation>
    </message>
    <message>
        <source>Ошибка формата выполняемого файла</source>
        <translation>Exec format error</translation>
    </message>
    <message>
        <source>Неправильный дескриптор файла</source>
        <translation>Bad file descriptor</translation>
    </message>
    <message>
        <source>Нет дочерних процессов</source>
        <translation>No child processes</translation>
    </message>
    <message>
        <source>Ресурс временно недоступен</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>Неправильный адрес</source>
        <translation>Bad address</translation>
    </message>
    <message>
        <source>Требуется блочное устройство</source>
        <translation>Block device required</translation>
    </message>
    <message>
        <source>Нет такого устройства</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>Недопустимый аргумент</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <source>Слишком много открытых файлов в системе</source>
        <translation>Too many open files in system</translation>
    </message>
    <message>
        <source>Неприменимый к данному устройству ioctl</source>
        <translation>Inappropriate ioctl for device</translation>
    </message>
    <message>
        <source>Недопустимая операция смещения</source>
        <translation>Illegal seek</translation>
    </message>
    <message>
        <source>Слишком много ссылок</source>
        <translation>Too many links</translation>
    </message>
    <message>
        <source>Обрыв канала</source>
        <translation>Broken pipe</translation>
    </message>
    <message>
        <source>Числовой аргумент вне области определения</source>
        <translation>Numerical argument out of domain</translation>
    </message>
    <message>
        <source>Числовой результат вне представимого диапазона</source>
        <translation>Numerical result out of range</translation>
    </message>
    <message>
        <source>Предотвращена тупиковая ситуация при обращении к ресурсу</source>
        <translation>Resource deadlock avoided</translation>
    </message>
    <message>
        <source>Нет доступных блокировок</source>
        <translation>No locks available</translation>
    </message>
    <message>
        <source>Функция не реализована</source>
        <translation>Function not implemented</translation>
    </message>
    <message>
        <source>Каталог не пуст</source>
        <translation>Directory not empty</translation>
    </message>
    <message>
        <source>Нет сообщения желаемого типа</source>
        <translation>No message of desired type</translation>
    </message>
    <message>
        <source>Идентификатор был удален</source>
        <translation>Identifier removed</translation>
    </message>
    <message>
        <source>Номер канала вне диапазона</source>
        <translation>Channel number out of range</translation>
    </message>
    <message>
        <source>Уровень 2 не синхронизирован</source>
        <translation>Level 2 not synchronized</translation>
    </message>
    <message>
        <source>Уровень 3 остановлен</source>
        <translation>Level 3 halted</translation>
    </message>
    <message>
        <source>Уровень 3 сброшен</source>
        <translation>Level 3 reset</translation>
    </message>
    <message>
        <source>Число ссылок вне допустимого диапазона</source>
        <translation>Link number out of range</translation>
    </message>
    <message>
        <source>Драйвер протокола не подсоединен</source>
        <translation>Protocol driver not attached</translation>
    </message>
    <message>
        <source>Нет доступной CSI-структуры</source>
        <translation>No CSI structure available</translation>
    </message>
    <message>
        <source>Уровень 2 остановлен</source>
        <translation>Level 2 halted</translation>
    </message>
    <message>
        <source>Некорректный обмен</source>
        <translation>Invalid exchange</translation>
    </message>
    <message>
        <source>Неверный дескриптор запроса</source>
        <translation>Invalid request descriptor</translation>
    </message>
    <message>
        <source>Обмен полный</source>
        <translation>Exchange full</translation>
    </message>
    <message>
        <source>Нет anode</source>
        <translation>No anode</translation>
    </message>
    <message>
        <source>Неверный код запроса</source>
        <translation>Invalid request code</translation>
    </message>
    <message>
        <source>Некорректный слот</source>
        <translation>Invalid slot</translation>
    </message>
    <message>
        <source>Неверный формат файла со шрифтом</source>
        <translation>Bad font file format</translation>
    </message>
    <message>
        <source>Устройство не является потоком</source>
        <translation>Device not a stream</translation>
    </message>
    <message>
        <source>Нет доступных данных</source>
        <translation>No data available</translation>
    </message>
    <message>
        <source>Таймер истек</source>
        <translation>Timer expired</translation>
    </message>
    <message>
        <source>Недостаточно потоковых ресурсов</source>
        <translation>Out of streams resources</translation>
    </message>
    <message>
        <source>Машина не в сети</source>
        <translation>Machine is not on the network</translation>
    </message>
    <message>
        <source>Пакет не установлен</source>
        <translation>Package not installed</translation>
    </message>
    <message>
        <source>Это удаленный объект</source>
        <translation>Object is remote</translation>
    </message>
    <message>
        <source>Соединение было разорвано</source>
        <translation>Link has been severed</translation>
    </message>
    <message>
        <source>Ошибка объявления</source>
        <translation>Advertise error</translation>
    </message>
    <message>
        <source>Ошибка Srmount</source>
        <translation>Srmount error</translation>
    </message>
    <message>
        <source>Ошибка связи при отправке</source>
        <translation>Communication error on send</translation>
    </message>
    <message>
        <source>Ошибка протокола</source>
        <translation>Protocol error</translation>
    </message>
    <message>
        <source>Попытка Multihop</source>
        <translation>Multihop attempted</translation>
    </message>
    <message>
        <source>Специфичная для RFS ошибка</source>
        <translation>RFS specific error</translation>
    </message>
    <message>
        <source>Неправильное сообщение</source>
        <translation>Bad message</translation>
    </message>
    <message>
        <source>Значение слишком велико для такого типа данных</source>
        <translation>Value too large for defined data type</translation>
    </message>
    <message>
        <source>Имя не уникально в сети</source>
        <translation>Name not unique on network</translation>
    </message>
    <message>
        <source>Дескриптор файла в плохом состоянии</source>
        <translation>File descriptor in bad state</translation>
    </message>
    <message>
        <source>Удаленный адрес был изменен</source>
        <translation>Remote address changed</translation>
    </message>
    <message>
        <source>Невозможно получить доступ к нужной разделяемой библиотеке</source>
        <translation>Can not access a needed shared library</translation>
    </message>
    <message>
        <source>Обращение к поврежденной разделяемой библиотеке</source>
        <translation>Accessing a corrupted shared library</translation>
    </message>
    <message>
        <source>Секция .lib в a.out повреждена</source>
        <translation>.lib section in a.out corrupted</translation>
    </message>
    <message>
        <source>Попытка подключить слишком много разделяемых библиотек</source>
        <translation>Attempting to link in too many shared libraries</translation>
    </message>
    <message>
        <source>Невозможно непосредственно выполнить разделяемую библиотеку</source>
        <translation>Cannot exec a shared library directly</translation>
    </message>
    <message>
        <source>Неверный или неполный мультибайтный или широкий символ</source>
        <translation>Invalid or incomplete multibyte or wide character</translation>
    </message>
    <message>
        <source>Прерванный системный вызов следует перезапустить</source>
        <translation>Interrupted system call should be restarted</translation>
    </message>
    <message>
        <source>Ошибка потоков канала</source>
        <translation>Streams pipe error</translation>
    </message>
    <message>
        <source>Слишком много пользователей</source>
        <translation>Too many users</translation>
    </message>
    <message>
        <source>Операция для сокета применена к не-сокету</source>
        <translation>Socket operation on non-socket</translation>
    </message>
    <message>
        <source>Требуется указать адрес назначения</source>
        <translation>Destination address required</translation>
    </message>
    <message>
        <source>Сообщение слишком длинное</source>
        <translation>Message too long</translation>
    </message>
    <message>
        <source>Неподдерживаемый тип протокола для сокета</source>
        <translation>Protocol wrong type for socket</translation>
    </message>
    <message>
        <source>Протокол недоступен</source>
        <translation>Protocol not available</translation>
    </message>
    <message>
        <source>Протокол не поддерживается</source>
        <translation>Protocol not supported</translation>
    </message>
    <message>
        <source>Неподдерживаемый тип сокета</source>
        <translation>Socket type not supported</translation>
    </message>
    <message>
        <source>Неподдерживаемая операция</source>
        <translation>Operation not supported</translation>
    </message>
    <message>
        <source>Неподдерживаемое семейство протоколов</source>
        <translation>Protocol family not supported</translation>
    </message>
    <message>
        <source>Семейство адресов не поддерживается протоколом</source>
        <translation>Address family not supported by protocol</translation>
    </message>
    <message>
        <source>Адрес уже используется</source>
        <translation>Address already in use</translation>
    </message>
    <message>
        <source>Невозможно назначить запрошенный адрес</source>
        <translation>Cannot assign requested address</translation>
    </message>
    <message>
        <source>Сеть не работает</source>
        <translation>Network is down</translation>
    </message>
    <message>
        <source>Сеть недоступна</source>
        <translation>Network is unreachable</translation>
    </message>
    <message>
        <source>Сетевое соединение было разорвано</source>
        <translation>Network dropped connection on reset</translation>
    </message>
    <message>
        <source>Программа вызвала разрыв соединения</source>
        <translation>Software caused connection abort</translation>
    </message>
    <message>
        <source>Соединение разорвано другой стороной</source>
        <translation>Connection reset by peer</translation>
    </message>
    <message>
        <source>Недостаточно буферного пространства</source>
        <translation>No buffer space available</translation>
    </message>
    <message>
        <source>Конечная точка передачи уже подсоединена</source>
        <translation>Transport endpoint is already connected</translation>
    </message>
    <message>
        <source>Конечная точка передачи не подсоединена</source>
        <translation>Transport endpoint is not connected</translation>
    </message>
    <message>
        <source>Невозможно отправить данные после выключения конечной точки передачи</source>
        <translation>Cannot send after transport endpoint shutdown</translation>
    </message>
    <message>
        <source>Слишком много ссылок: невозможно объединить</source>
        <translation>Too many references: cannot splice</translation>
    </message>
    <message>
        <source>Время ожидания соединения истекло</source>
        <translation>Connection timed out</translation>
    </message>
    <message>
        <source>В соединении отказано</source>
        <translation>Connection refused</translation>
    </message>
    <message>
        <source>Узел выключен</source>
        <translation>Host is down</translation>
    </message>
    <message>
        <source>Нет маршрута до узла</source>
        <translation>No route to host</translation>
    </message>
    <message>
        <source>Операция уже выполняется</source>
        <translation>Operation already in progress</translation>
    </message>
    <message>
        <source>Операция выполняется в данный момент</source>
        <translation>Operation now in progress</translation>
    </message>
    <message>
        <source>Устаревший дескриптор файла</source>
        <translation>Stale file handle</translation>
    </message>
    <message>
        <source>Структуру необходимо почистить</source>
        <translation>Structure needs cleaning</translation>
    </message>
    <message>
        <source>Не является файлом именованного типа XENIX</source>
        <translation>Not a XENIX named type file</translation>
    </message>
    <message>
        <source>Семафоры XENIX недоступны</source>
        <translation>No XENIX semaphores available</translation>
    </message>
    <message>
        <source>Является файлом именованного типа</source>
        <translation>Is a named type file</translation>
    </message>
    <message>
        <source>Ошибка удаленного ввода/вывода</source>
        <translation>Remote I/O error</translation>
    </message>
    <message>
        <source>Носитель не найден</source>
        <translation>No medium found</translation>
    </message>
    <message>
        <source>Неправильный тип носителя</source>
        <translation>Wrong medium type</translation>
    </message>
    <message>
        <source>Операция отменена</source>
        <translation>Operation canceled</translation>
    </message>
    <message>
        <source>Требуемый ключ недоступен</source>
        <translation>Required key not available</translation>
    </message>
    <message>
        <source>Время жизни ключа истекло</source>
        <translation>Key has expired</translation>
    </message>
    <message>
        <source>Ключ был отозван</source>
        <translation>Key has been revoked</translation>
    </message>
    <message>
        <source>Ключ был отвергнут службой</source>
        <translation>Key was rejected by service</translation>
    </message>
    <message>
        <source>Владелец умер</source>
        <translation>Owner died</translation>
    </message>
    <message>
        <source>Состояние нельзя восстановить</source>
        <translation>State not recoverable</translation>
    </message>
    <message>
        <source>Операция не позволяется из-за RF-kill</source>
        <translation>Operation not possible due to RF-kill</translation>
    </message>
    <message>
        <source>В странице памяти аппаратная ошибка</source>
        <translation>Memory page has hardware error</translation>
    </message>
    <message>
        <source>Неизвестная ошибка системы %1</source>
        <translation>Unknown system error %1</translation>
    </message>
    <message>
        <source>Стандартный ввод закрыт</source>
        <translation>Standard input is closed</translation>
    </message>
    <message>
        <source>Стандартный вывод закрыт</source>
        <translation>Standard output is closed</translation>
    </message>
    <message>
        <source>Стандартный вывод ошибок закрыт</source>
        <translation>Standard error is closed</translation>
    </message>
    <message>
        <source>Страница заменила бы файл программы %1</source>
        <translation>The page would replace the program&apos;s own file %1</translation>
    </message>
    <message>
        <source>В буфере обмена нет картинки.</source>
        <translation>There is no picture on the clipboard.</translation>
    </message>
    <message>
        <source>Папка</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>%1 байт</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>%1 КБ</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 МБ</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 ГБ</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 ТБ</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>Окно закроется, когда работа закончится.</source>
        <translation>The window will close when the work is done.</translation>
    </message>
    <message>
        <source>Стиль страницы: table, span, div, compact (ячейка на прямоугольник одного цвета), compact-mail (compact для писем), web (строки градиентами, быстро рисуется браузером) или all (три первых, так по умолчанию).</source>
        <translation>Page style: table, span, div, compact (a cell per rectangle of one colour), compact-mail (compact for e-mail), web (rows as gradients, drawn fast by browsers) or all (the first three, the default).</translation>
    </message>
    <message>
        <source>неизвестный стиль «%1» (table, span, div, compact, compact-mail, web или all)</source>
        <translation>unknown style &quot;%1&quot; (table, span, div, compact, compact-mail, web or all)</translation>
    </message>
    <message>
        <source>--%1 только для стилей compact, compact-mail и web (--style)</source>
        <translation>--%1 is only for the styles compact, compact-mail and web (--style)</translation>
    </message>
    <message>
        <source>Быстрые веб-картинки</source>
        <translation>Fast web pictures</translation>
    </message>
</context>
</TS>
