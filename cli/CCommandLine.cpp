#include "CCommandLine.h"

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
        const std::string most = std::to_string(kMaxPictureSide);
        error = u"--" + FromQString(option.names().constFirst()) +
                u" needs a whole number from 1 to " + std::u16string(most.begin(), most.end());
        return false;
    }
    side = value;
    return true;
}

} // namespace

CCommandLine::Result CCommandLine::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turns pictures into HTML pages: one table cell, coloured character or "
                       "element per pixel."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption style(QStringLiteral("style"),
                                   QStringLiteral("Page style: table, span, div or all (default)."),
                                   QStringLiteral("style"), QStringLiteral("all"));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the page to FILE (one picture and one style only; - is standard "
                       "output)."),
        QStringLiteral("FILE"));
    const QCommandLineOption outDir(QStringLiteral("out-dir"),
                                    QStringLiteral("Write the pages into DIR."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption templates(
        QStringLiteral("templates"),
        QStringLiteral("Read source.text, template.1.html and template.2.html from DIR."),
        QStringLiteral("DIR"));
    const QCommandLineOption width(QStringLiteral("width"),
                                   QStringLiteral("Scale the picture to N pixels wide first."),
                                   QStringLiteral("N"));
    const QCommandLineOption height(QStringLiteral("height"),
                                    QStringLiteral("Scale the picture to N pixels high first."),
                                    QStringLiteral("N"));
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("Print nothing but failures."));
    parser.addOptions({style, output, outDir, templates, width, height, quiet});
    parser.addPositionalArgument(QStringLiteral("PICTURE"), QStringLiteral("Pictures to convert."),
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
        result.error = u"unknown style \"" + styleName + u"\" (table, span, div or all)";
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
        result.error = u"no picture given";
        return result;
    }
    // Standard input holds one picture, and it has no name to put its pages beside.
    const auto fromInput = std::count(options.pictures.begin(), options.pictures.end(), u"-");
    if (fromInput > 1) {
        result.error = u"\"-\" (standard input) can be given once";
        return result;
    }
    if (fromInput == 1 && !parser.isSet(output) && !parser.isSet(outDir)) {
        result.error = u"a picture from standard input (\"-\") needs --output or --out-dir";
        return result;
    }
    if (parser.isSet(output)) {
        if (options.output.empty() || options.pictures.size() != 1 || options.styles.size() != 1) {
            result.error = u"--output needs one picture and one --style";
            return result;
        }
        if (parser.isSet(outDir)) {
            result.error = u"--output and --out-dir exclude each other";
            return result;
        }
    }
    result.options = std::move(options);
    return result;
}
