#include "CCommandLine.h"

#include "modLanguage.h"
#include "modPictureFiles.h"
#include "modQtText.h"

#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

bool ParseSide(const QCommandLineParser& parser, const QCommandLineOption& option, int& side,
               std::u16string& error) {
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value <= 0 || value > kMaxPictureSide) {
        error =
            FromQString(TrQ(QT_TRANSLATE_NOOP("Tesselet", "--%1: нужно целое число от 1 до %2"))
                            .arg(option.names().constFirst(), QString::number(kMaxPictureSide)));
        return false;
    }
    side = value;
    return true;
}

bool ParseTolerance(const QCommandLineParser& parser, const QCommandLineOption& option,
                    double& tolerance, std::u16string& error) {
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 100) {
        error = Tr(QT_TRANSLATE_NOOP("Tesselet", "--tolerance: нужно число от 0 до 100 (ΔE)"));
        return false;
    }
    tolerance = value;
    return true;
}

bool ParseBackground(const QCommandLineParser& parser, const QCommandLineOption& option,
                     PixelColor& background, std::u16string& error) {
    if (!parser.isSet(option))
        return true;
    const QString value = parser.value(option);
    // #RRGGBB, or a CSS colour's name; Qt's other forms (#RGB, #AARRGGBB, "transparent") are not
    // colours a page's background is given as here.
    static const QRegularExpression kHex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    static const QRegularExpression kName(QStringLiteral("^[A-Za-z]+$"));
    const QColor colour = QColor::fromString(value);
    if ((!kHex.match(value).hasMatch() && !kName.match(value).hasMatch()) || !colour.isValid() ||
        colour.alpha() != 255) {
        error = Tr(QT_TRANSLATE_NOOP("Tesselet",
                                     "--background: нужен цвет вида #RRGGBB или его имя (white, "
                                     "black…)"));
        return false;
    }
    background = colour.rgb();
    return true;
}

bool ParseBytes(const QCommandLineParser& parser, const QCommandLineOption& option,
                std::uint64_t& bytes, std::u16string& error) {
    if (!parser.isSet(option))
        return true;
    static const QRegularExpression kBytes(QStringLiteral("^([0-9]{1,15})([kKM]?)$"));
    const QRegularExpressionMatch match = kBytes.match(parser.value(option));
    std::uint64_t value = 0;
    if (match.hasMatch()) {
        value = match.captured(1).toULongLong();
        const QString unit = match.captured(2);
        if (unit == QStringLiteral("M"))
            value *= std::uint64_t{1} << 20;
        else if (!unit.isEmpty())
            value *= std::uint64_t{1} << 10;
    }
    if (value == 0) {
        error = Tr(QT_TRANSLATE_NOOP("Tesselet", "--max-bytes: нужно целое число байт больше 0, "
                                                 "можно с k (1024 байта) или M (1024 k)"));
        return false;
    }
    bytes = value;
    return true;
}

} // namespace

CCommandLine::Result CCommandLine::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Превращает картинки в HTML-страницы: по ячейке таблицы, "
                                          "цветному символу или элементу на каждый пиксель.")));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption style(
        QStringLiteral("style"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet",
                              "Стиль страницы: table, span, div, compact (ячейка на прямоугольник "
                              "одного цвета), compact-mail (compact для писем), web (строки "
                              "градиентами, быстро рисуется браузером) или all (три первых, так по "
                              "умолчанию).")),
        QStringLiteral("style"), QStringLiteral("all"));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Записать страницу в FILE (только одна картинка и один "
                                          "стиль; - означает стандартный вывод).")),
        QStringLiteral("FILE"));
    const QCommandLineOption outDir(
        QStringLiteral("out-dir"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Записать страницы в папку DIR.")),
        QStringLiteral("DIR"));
    const QCommandLineOption templates(
        QStringLiteral("templates"),
        TrQ(QT_TRANSLATE_NOOP(
            "Tesselet", "Читать source.text, template.1.html и template.2.html из папки DIR.")),
        QStringLiteral("DIR"));
    const QCommandLineOption width(
        QStringLiteral("width"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Сначала масштабировать картинку до ширины N пикселей.")),
        QStringLiteral("N"));
    const QCommandLineOption height(
        QStringLiteral("height"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Сначала масштабировать картинку до высоты N пикселей.")),
        QStringLiteral("N"));
    const QCommandLineOption quiet(
        {QStringLiteral("q"), QStringLiteral("quiet")},
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Не печатать ничего, кроме сбоев.")));
    const QCommandLineOption mail(
        QStringLiteral("mail"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet",
                              "Страница compact для писем (как --style compact-mail).")));
    const QCommandLineOption fragment(
        QStringLiteral("fragment"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Записать только таблицы, без шаблонов и метки UTF-8 "
                                          "(стили compact).")));
    const QCommandLineOption tolerance(
        QStringLiteral("tolerance"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Соседние пиксели, чьи цвета отличаются не больше чем на "
                                          "D (ΔE, от 0 до 100), делят ячейку (стили compact).")),
        QStringLiteral("D"));
    const QCommandLineOption background(
        QStringLiteral("background"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Цвет, на который ложатся полупрозрачные пиксели: "
                                          "#RRGGBB или имя, white по умолчанию (стили compact).")),
        QStringLiteral("COLOR"));
    const QCommandLineOption maxBytes(
        QStringLiteral("max-bytes"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Уменьшить картинку так, чтобы страница заняла не больше "
                                          "N байт (k = 1024, M = 1024 k).")),
        QStringLiteral("N"));
    parser.addOptions({style, output, outDir, templates, width, height, quiet, mail, fragment,
                       tolerance, background, maxBytes});
    parser.addPositionalArgument(
        QStringLiteral("PICTURE"),
        TrQ(QT_TRANSLATE_NOOP("Tesselet", "Картинки, которые нужно превратить.")),
        QStringLiteral("PICTURE..."));

    Result result;
    if (!parser.parse(arguments)) {
        result.error = FromQString(parser.errorText());
        return result;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return result;
    }
    if (parser.isSet(versionOption)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return result;
    }

    CliOptions options;
    const std::u16string styleName = FromQString(parser.value(style));
    if (styleName == u"all") {
        for (const auto& each : PageStyles())
            options.styles.push_back(&each);
    } else if (const PageStyle* found = FindPageStyle(styleName)) {
        options.styles.push_back(found);
    } else {
        result.error = FromQString(
            TrQ(QT_TRANSLATE_NOOP("Tesselet", "неизвестный стиль «%1» (table, span, div, compact, "
                                              "compact-mail, web или all)"))
                .arg(ToQString(styleName)));
        return result;
    }
    // The options that only a compact page has a use for are refused with any other, rather than
    // leaving the user to wonder why they changed nothing.
    const bool compact = options.styles.size() == 1 && IsCompactStyle(*options.styles.front());
    for (const QCommandLineOption* only : {&mail, &fragment, &tolerance, &background}) {
        if (parser.isSet(*only) && !compact) {
            result.error = FromQString(
                TrQ(QT_TRANSLATE_NOOP(
                        "Tesselet", "--%1 только для стилей compact, compact-mail и web (--style)"))
                    .arg(only->names().constFirst()));
            return result;
        }
    }
    if (parser.isSet(mail))
        options.styles.front() = &CompactMailStyle();
    options.fragment = parser.isSet(fragment);
    if (!ParseTolerance(parser, tolerance, options.tolerance, result.error) ||
        !ParseBackground(parser, background, options.background, result.error) ||
        !ParseBytes(parser, maxBytes, options.maxBytes, result.error))
        return result;
    options.output = FromQString(parser.value(output));
    options.outDir = FromQString(parser.value(outDir));
    options.templates = FromQString(parser.value(templates));
    options.quiet = parser.isSet(quiet);
    if (!ParseSide(parser, width, options.width, result.error) ||
        !ParseSide(parser, height, options.height, result.error))
        return result;
    for (const QString& picture : parser.positionalArguments())
        options.pictures.push_back(FromQString(picture));

    if (options.pictures.empty()) {
        result.error = Tr(QT_TRANSLATE_NOOP("Tesselet", "не задано ни одной картинки"));
        return result;
    }
    // Standard input holds one picture, and it has no name to put its pages beside.
    const auto fromInput = std::count(options.pictures.begin(), options.pictures.end(), u"-");
    if (fromInput > 1) {
        result.error = Tr(
            QT_TRANSLATE_NOOP("Tesselet", "«-» (стандартный ввод) можно указать только один раз"));
        return result;
    }
    if (fromInput == 1 && !parser.isSet(output) && !parser.isSet(outDir)) {
        result.error = Tr(QT_TRANSLATE_NOOP(
            "Tesselet", "картинке со стандартного ввода («-») нужен --output или --out-dir"));
        return result;
    }
    if (parser.isSet(output)) {
        if (options.output.empty() || options.pictures.size() != 1 || options.styles.size() != 1) {
            result.error =
                Tr(QT_TRANSLATE_NOOP("Tesselet", "--output нужны одна картинка и один --style"));
            return result;
        }
        if (parser.isSet(outDir)) {
            result.error =
                Tr(QT_TRANSLATE_NOOP("Tesselet", "--output и --out-dir исключают друг друга"));
            return result;
        }
    }
    result.options = std::move(options);
    return result;
}
