#include "CCommandLine.h"

#include "modLanguage.h"
#include "modPictureFiles.h"
#include "modQtText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
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
                              "Стиль страницы: table, span, div или all (так по умолчанию).")),
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
    parser.addOptions({style, output, outDir, templates, width, height, quiet});
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
            TrQ(QT_TRANSLATE_NOOP("Tesselet", "неизвестный стиль «%1» (table, span, div или all)"))
                .arg(ToQString(styleName)));
        return result;
    }
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
