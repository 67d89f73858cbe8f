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
        <source>Стиль страницы: table, span, div или all (так по умолчанию).</source>
        <translation>Page style: table, span, div or all (default).</translation>
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
        <source>неизвестный стиль «%1» (table, span, div или all)</source>
        <translation>unknown style &quot;%1&quot; (table, span, div or all)</translation>
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
</context>
</TS>
