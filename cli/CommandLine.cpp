#include "CommandLine.h"

#include "Language.h"
#include "NativeText.h"
#include "PictureFiles.h"

#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

/// A mistake in the arguments; the first one found is the one told.
struct UsageMistake {
    QString text;
};

[[noreturn]] void Refuse(QString text) {
    throw UsageMistake{std::move(text)};
}

void ParseSide(const QCommandLineParser& parser, const QCommandLineOption& option, int& side) {
    if (!parser.isSet(option))
        return;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value <= 0 || value > kMaxPictureSide) {
        Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet", "--%1: нужно целое число от 1 до %2"))
                   .arg(option.names().constFirst(), QString::number(kMaxPictureSide)));
    }
    side = value;
}

void ParseTolerance(const QCommandLineParser& parser, const QCommandLineOption& option,
                    double& tolerance) {
    if (!parser.isSet(option))
        return;
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 100) {
        Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet", "--tolerance: нужно число от 0 до 100 (ΔE)")));
    }
    tolerance = value;
}

void ParseBackground(const QCommandLineParser& parser, const QCommandLineOption& option,
                     PixelColor& background) {
    if (!parser.isSet(option))
        return;
    const QString value = parser.value(option);
    // #RRGGBB, or a CSS colour's name; Qt's other forms (#RGB, #AARRGGBB, "transparent") are not
    // colours a page's background is given as here.
    static const QRegularExpression kHex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    static const QRegularExpression kName(QStringLiteral("^[A-Za-z]+$"));
    const QColor colour = QColor::fromString(value);
    if ((!kHex.match(value).hasMatch() && !kName.match(value).hasMatch()) || !colour.isValid() ||
        colour.alpha() != 255) {
        Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet",
                                    "--background: нужен цвет вида #RRGGBB или его имя (white, "
                                    "black…)")));
    }
    background = colour.rgb();
}

void ParseBytes(const QCommandLineParser& parser, const QCommandLineOption& option,
                std::uint64_t& bytes) {
    if (!parser.isSet(option))
        return;
    // Any number of digits is read, so that a number too large is told as such rather than as no
    // number at all; the limit is far above any page and far below what 64 bits hold.
    static const QRegularExpression kBytes(QStringLiteral("^([0-9]+)([kKmMgG]?)$"));
    const QRegularExpressionMatch match = kBytes.match(parser.value(option));
    std::uint64_t value = 0;
    bool tooLarge = false;
    if (match.hasMatch()) {
        for (const QChar digit : match.capturedView(1)) {
            value = value * 10 + static_cast<std::uint64_t>(digit.unicode() - u'0');
            if (value > kMaxPageBudget) {
                tooLarge = true;
                break;
            }
        }
        const QChar unit =
            match.capturedView(2).isEmpty() ? QChar() : match.capturedView(2)[0].toLower();
        const int shift = unit == u'k' ? 10 : unit == u'm' ? 20 : unit == u'g' ? 30 : 0;
        if (!tooLarge && value > (kMaxPageBudget >> shift))
            tooLarge = true;
        value <<= tooLarge ? 0 : shift;
    }
    if (tooLarge) {
        Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet", "--max-bytes: слишком большое число: больше 1024G "
                                                "(1 ТиБ), а страница столько не занимает")));
    }
    if (value == 0) {
        Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet", "--max-bytes: нужно целое число байт больше 0, "
                                                "можно с k (1024 байта), M (1024 k) или G "
                                                "(1024 M)")));
    }
    bytes = value;
}

// A folder option given an empty name would silently mean the current folder or the default one.
void ParseFolder(const QCommandLineParser& parser, const QCommandLineOption& option,
                 std::string& folder) {
    if (!parser.isSet(option))
        return;
    folder = NativeFromDisplay(parser.value(option));
    if (folder.empty()) {
        Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet", "--%1: нужно имя папки, а не пустая "
                                                "строка"))
                   .arg(option.names().constFirst()));
    }
}

// The converter's options, declared on a parser in the order its help lists them.
struct DeclaredOptions {
    explicit DeclaredOptions(QCommandLineParser& parser);

    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption style;
    QCommandLineOption output;
    QCommandLineOption outDir;
    QCommandLineOption templates;
    QCommandLineOption width;
    QCommandLineOption height;
    QCommandLineOption quiet;
    QCommandLineOption mail;
    QCommandLineOption fragment;
    QCommandLineOption tolerance;
    QCommandLineOption background;
    QCommandLineOption maxBytes;
};

DeclaredOptions::DeclaredOptions(QCommandLineParser& parser)
    : help(parser.addHelpOption()), version(parser.addVersionOption()),
      style(QStringLiteral("style"),
            Tr(QT_TRANSLATE_NOOP(
                "Tesselet", "Стиль страницы: table, span, div, compact (ячейка на прямоугольник "
                            "одного цвета), compact-mail (compact для писем), web (строки "
                            "градиентами, быстро рисуется браузером) или all (три "
                            "первых, так по умолчанию).")),
            QStringLiteral("style"), QStringLiteral("all")),
      output(
          {QStringLiteral("o"), QStringLiteral("output")},
          Tr(QT_TRANSLATE_NOOP("Tesselet", "Записать страницу в FILE (только одна картинка и один "
                                           "стиль; - означает стандартный вывод).")),
          QStringLiteral("FILE")),
      outDir(QStringLiteral("out-dir"),
             Tr(QT_TRANSLATE_NOOP("Tesselet", "Записать страницы в папку DIR.")),
             QStringLiteral("DIR")),
      templates(
          QStringLiteral("templates"),
          Tr(QT_TRANSLATE_NOOP(
              "Tesselet", "Читать source.text, template.1.html и template.2.html из папки DIR.")),
          QStringLiteral("DIR")),
      width(QStringLiteral("width"),
            Tr(QT_TRANSLATE_NOOP("Tesselet",
                                 "Сначала масштабировать картинку до ширины N пикселей.")),
            QStringLiteral("N")),
      height(QStringLiteral("height"),
             Tr(QT_TRANSLATE_NOOP("Tesselet",
                                  "Сначала масштабировать картинку до высоты N пикселей.")),
             QStringLiteral("N")),
      quiet({QStringLiteral("q"), QStringLiteral("quiet")},
            Tr(QT_TRANSLATE_NOOP("Tesselet", "Не печатать ничего, кроме сбоев."))),
      mail(QStringLiteral("mail"),
           Tr(QT_TRANSLATE_NOOP("Tesselet",
                                "Страница compact для писем (как --style compact-mail)."))),
      fragment(
          QStringLiteral("fragment"),
          Tr(QT_TRANSLATE_NOOP("Tesselet", "Записать только таблицы, без шаблонов и метки UTF-8 "
                                           "(стили compact)."))),
      tolerance(QStringLiteral("tolerance"),
                Tr(QT_TRANSLATE_NOOP("Tesselet",
                                     "Соседние пиксели, чьи цвета отличаются не больше чем на "
                                     "D (ΔE, от 0 до 100), делят ячейку (стили compact).")),
                QStringLiteral("D")),
      background(
          QStringLiteral("background"),
          Tr(QT_TRANSLATE_NOOP("Tesselet", "Цвет, на который ложатся полупрозрачные пиксели: "
                                           "#RRGGBB или имя, white по умолчанию (стили compact).")),
          QStringLiteral("COLOR")),
      maxBytes(QStringLiteral("max-bytes"),
               Tr(QT_TRANSLATE_NOOP("Tesselet",
                                    "Уменьшить картинку так, чтобы страница заняла не больше "
                                    "N байт (k = 1024, M = 1024 k, G = 1024 M).")),
               QStringLiteral("N")) {
    parser.setApplicationDescription(
        Tr(QT_TRANSLATE_NOOP("Tesselet", "Превращает картинки в HTML-страницы: по ячейке таблицы, "
                                         "цветному символу или элементу на каждый пиксель.")));
    parser.addOptions({style, output, outDir, templates, width, height, quiet, mail, fragment,
                       tolerance, background, maxBytes});
    parser.addPositionalArgument(
        QStringLiteral("PICTURE"),
        Tr(QT_TRANSLATE_NOOP("Tesselet", "Картинки, которые нужно превратить.")),
        QStringLiteral("PICTURE..."));
}

// The styles asked for; the options that only some styles (the compact ones) have a use for are
// refused with any other, rather than leaving the user to wonder why they changed nothing.
void ParseStyles(const QCommandLineParser& parser, const DeclaredOptions& declared,
                 CliOptions& options) {
    // --mail alone is the compact e-mail page; with a --style it has to be a compact one.
    const QString styleName = parser.isSet(declared.mail) && !parser.isSet(declared.style)
                                  ? QStringLiteral("compact-mail")
                                  : parser.value(declared.style);
    if (styleName == u"all") {
        for (const auto& each : PageStyles())
            options.styles.push_back(&each);
    } else if (const PageStyle* found = FindPageStyle(styleName.toStdString())) {
        options.styles.push_back(found);
    } else {
        Refuse(
            Tr(QT_TRANSLATE_NOOP("Tesselet", "неизвестный стиль «%1» (table, span, div, compact, "
                                             "compact-mail, web или all)"))
                .arg(styleName));
    }
    // --mail asks for the e-mail page of a style whose cells share colours.
    const std::pair<const QCommandLineOption*, bool PageStyle::*> onlySome[] = {
        {&declared.mail, &PageStyle::takesTolerance},
        {&declared.fragment, &PageStyle::writesFragment},
        {&declared.tolerance, &PageStyle::takesTolerance},
        {&declared.background, &PageStyle::keepsTransparency},
    };
    for (const auto& [only, ability] : onlySome) {
        const bool able = options.styles.size() == 1 && options.styles.front()->*ability;
        if (parser.isSet(*only) && !able) {
            Refuse(
                Tr(QT_TRANSLATE_NOOP(
                       "Tesselet", "--%1 только для стилей compact, compact-mail и web (--style)"))
                    .arg(only->names().constFirst()));
        }
    }
    if (parser.isSet(declared.mail))
        options.styles.front() = &CompactMailStyle();
}

// The pictures, and where their pages go.
void ParsePictures(const QCommandLineParser& parser, const DeclaredOptions& declared,
                   CliOptions& options) {
    for (const QString& picture : parser.positionalArguments())
        options.pictures.push_back(NativeFromDisplay(picture));
    if (options.pictures.empty()) {
        Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet", "не задано ни одной картинки")));
    }
    // Standard input holds one picture, and it has no name to put its pages beside.
    const auto fromInput = std::count(options.pictures.begin(), options.pictures.end(), "-");
    if (fromInput > 1) {
        Refuse(Tr(
            QT_TRANSLATE_NOOP("Tesselet", "«-» (стандартный ввод) можно указать только один раз")));
    }
    if (fromInput == 1 && !parser.isSet(declared.output) && !parser.isSet(declared.outDir)) {
        Refuse(Tr(QT_TRANSLATE_NOOP(
            "Tesselet", "картинке со стандартного ввода («-») нужен --output или --out-dir")));
    }
    if (parser.isSet(declared.output)) {
        if (options.output.empty() || options.pictures.size() != 1 || options.styles.size() != 1) {
            Refuse(
                Tr(QT_TRANSLATE_NOOP("Tesselet", "--output нужны одна картинка и один --style")));
        }
        if (parser.isSet(declared.outDir)) {
            Refuse(Tr(QT_TRANSLATE_NOOP("Tesselet", "--output и --out-dir исключают друг друга")));
        }
    }
}

} // namespace

CommandLine::Result CommandLine::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    const DeclaredOptions declared(parser);
    Result result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    // Qt's parser adds --help-all beside --help, for Qt's own options; the converter has none of
    // them, so it is the same help.
    if (parser.isSet(declared.help) || parser.isSet(QStringLiteral("help-all"))) {
        result.print = parser.helpText();
        return result;
    }
    if (parser.isSet(declared.version)) {
        result.print = QCoreApplication::applicationName() + u' ' +
                       QCoreApplication::applicationVersion() + u'\n';
        return result;
    }

    CliOptions options;
    try {
        ParseStyles(parser, declared, options);
        options.fragment = parser.isSet(declared.fragment);
        ParseTolerance(parser, declared.tolerance, options.tolerance);
        ParseBackground(parser, declared.background, options.background);
        ParseBytes(parser, declared.maxBytes, options.maxBytes);
        options.output = NativeFromDisplay(parser.value(declared.output));
        ParseFolder(parser, declared.outDir, options.outDir);
        ParseFolder(parser, declared.templates, options.templates);
        options.quiet = parser.isSet(declared.quiet);
        ParseSide(parser, declared.width, options.width);
        ParseSide(parser, declared.height, options.height);
        ParsePictures(parser, declared, options);
    } catch (const UsageMistake& mistake) {
        result.error = mistake.text;
        return result;
    }
    result.options = std::move(options);
    return result;
}
