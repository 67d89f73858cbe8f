#include "TesseletVersion.h"
#include "TestSupport.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

CliRun Cli(const QStringList& arguments) {
    std::vector<std::string> list;
    for (const QString& argument : arguments)
        list.push_back(argument.toStdString());
    return RunCli(list);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

const std::string kSample = TESSELET_SOURCE_DIR "/resources/sample.png";

std::size_t Lines(const std::string& text) {
    std::size_t n = 0;
    for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2)
        ++n;
    return n;
}

} // namespace

TEST(Cli, ConvertsTheSampleIntoAllThreePages) {
    TempDir dir;
    const CliRun run = Cli({QStringLiteral("--out-dir"), Q(dir.Path()), Q(kSample)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.File("sample.span.htm") + "\n" + dir.File("sample.table.htm") + "\n" +
                           dir.File("sample.div.htm") + "\n");

    const std::string head = ReadBytes(TESSELET_BIN_DIR "/template.1.html");
    const std::string tail = ReadBytes(TESSELET_BIN_DIR "/template.2.html");
    const std::size_t generator = head.find("%GENERATOR%");
    ASSERT_NE(generator, std::string::npos);
    std::string prepared = head;
    prepared.replace(generator, 11, "Korvane - Tesselet " TESSELET_VERSION_TEXT);
    const std::size_t bodyTail = prepared.find("%BODY_TAG_TAIL%");
    ASSERT_NE(bodyTail, std::string::npos);
    std::string plainHead = prepared;
    plainHead.erase(bodyTail, 15);

    for (const char* name : {"sample.table.htm", "sample.div.htm"}) {
        const std::string page = ReadBytes(dir.File(name));
        EXPECT_EQ(page.substr(0, 3 + plainHead.size()), "\xEF\xBB\xBF" + plainHead) << name;
        EXPECT_EQ(page.substr(page.size() - tail.size()), tail) << name;
        EXPECT_EQ(Lines(page), std::count(page.begin(), page.end(), '\n')) << "bare LF in " << name;
    }
    const std::string table = ReadBytes(dir.File("sample.table.htm"));
    EXPECT_EQ(Lines(table), Lines(plainHead) + 2 + 64 * (96 + 2) + Lines(tail));
    EXPECT_NE(table.find("style=\"width:96px;height:64px;\""), std::string::npos);
    EXPECT_EQ(Lines(ReadBytes(dir.File("sample.div.htm"))),
              Lines(plainHead) + 96 * 64 + Lines(tail));
    const std::string span = ReadBytes(dir.File("sample.span.htm"));
    EXPECT_NE(span.find("<body style=\"background:black;\">"), std::string::npos);
    EXPECT_EQ(Lines(span), Lines(prepared) + 2 + 32 + Lines(tail));
}

TEST(Cli, OptionsAndExitStatus) {
    TempDir dir;
    // Standard output, a scaled picture, one style.
    CliRun run = Cli({QStringLiteral("--style"), QStringLiteral("table"), QStringLiteral("--width"),
                      QStringLiteral("48"), QStringLiteral("-o"), QStringLiteral("-"), Q(kSample)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(run.out.find("style=\"width:48px;height:32px;\""), std::string::npos);

    run = Cli({QStringLiteral("--version")});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(TESSELET_VERSION_TEXT), std::string::npos);

    // One bad picture does not stop the others, and the status says so.
    WriteBytes(dir.File("bad.png"), "not a picture");
    run = Cli({QStringLiteral("--style"), QStringLiteral("div"), QStringLiteral("--out-dir"),
               Q(dir.Path()), Q(dir.File("bad.png")), Q(kSample)});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(dir.File("bad.png") +
                           "\n\nНе удалось загрузить файл. Формат не поддерживается, либо это не "
                           "картинка.\nОшибка 1481: "),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(Exists(dir.File("sample.div.htm")));
    EXPECT_FALSE(Exists(dir.File("bad.div.htm")));

    // A page that cannot be written.
    run = Cli({QStringLiteral("--style"), QStringLiteral("span"), QStringLiteral("-o"),
               Q(dir.File("no/such/page.htm")), Q(kSample)});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find(dir.File("no/such/page.htm") +
                     "\n\nНе удалось сохранить файл.\nОшибка 2: Нет такого файла или каталога"),
        std::string::npos)
        << run.err;

    // Usage errors and missing templates.
    for (const QStringList& wrong :
         {QStringList{QStringLiteral("--style"), QStringLiteral("png"), Q(kSample)},
          QStringList{QStringLiteral("-o"), Q(dir.File("x.htm")), Q(kSample)},
          QStringList{QStringLiteral("--width"), QStringLiteral("0"), Q(kSample)},
          QStringList{QStringLiteral("--bogus"), Q(kSample)}, QStringList{}}) {
        EXPECT_EQ(Cli(wrong).status, 2) << wrong.join(u' ').toStdString();
    }
    run = Cli({QStringLiteral("--templates"), Q(dir.Path()), Q(kSample)});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(dir.File("source.text") +
                           "\n\nНе удалось загрузить файл шаблона. Продолжение невозможно."),
              std::string::npos)
        << run.err;
}
