// A user's bad file, bad folder or full disk: a clear message naming the file, no crash, nothing
// written that should not be, nothing left open.

#include "TestSupport.h"

#include "BadPictures.h"

#include "CDivPicture.h"
#include "CError.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"
#include "modCallPictureGenerator.h"
#include "modPictureFiles.h"

#include <QImage>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>

using namespace std::string_literals;

namespace {

const std::string kSample = TESSELET_SOURCE_DIR "/resources/sample.png";
// Only a file that no reader understands is said to be of a wrong format; every other cause is
// told by the error line alone.
const std::string kNotAPicture =
    "\n\nНе удалось загрузить файл. Формат не поддерживается, либо это не картинка.\nОшибка ";
const std::string kLoadFailed = "\n\nНе удалось загрузить файл.\nОшибка ";
const std::string kSaveFailed = "\n\nНе удалось сохранить файл.\nОшибка ";
const std::string kTemplateFailed =
    "\n\nНе удалось загрузить файл шаблона. Продолжение невозможно.\nОшибка ";

} // namespace

TEST(BadInput, PicturesAreRefusedWithTheirReason) {
    TempDir dir;
    for (const BadPicture& picture : WriteBadPictures(dir.Path())) {
        try {
            LoadPictureFile(dir.File16(picture.name));
            ADD_FAILURE() << picture.name << " loaded";
        } catch (const CError& error) {
            EXPECT_EQ(error.Number(), picture.number) << picture.name;
            EXPECT_NE(U8(error.Description()).find(picture.detail), std::string::npos)
                << picture.name << ": " << U8(error.Description());
        }
    }

    // A JPEG or BMP cut anywhere is refused; a GIF too, unless only its trailer is missing. The
    // whole files load.
    const auto loads = [&](const std::string& bytes) {
        WriteBytes(dir.File("part"), bytes);
        try {
            return !LoadPictureFile(dir.File16("part")).isNull();
        } catch (const CError&) {
            return false;
        }
    };
    for (const char* name : {"a.jpeg", "prog.jpeg", "a.gif", "a.bmp"}) {
        const std::string whole = ReadBytes(kPictureFixtures + name);
        ASSERT_FALSE(whole.empty()) << name;
        EXPECT_TRUE(loads(whole)) << name;
        const bool gif = std::string(name).ends_with(".gif");
        std::size_t loadedCut = 0;
        for (std::size_t length = 1; length < whole.size() - (gif ? 1 : 0); ++length)
            loadedCut += loads(whole.substr(0, length));
        EXPECT_EQ(loadedCut, 0u) << name;
        if (gif) {
            EXPECT_TRUE(loads(whole.substr(0, whole.size() - 1))) << name;
        }
    }
    // Only the first frame of a GIF is shown; a later frame cut short does not matter.
    const std::string animation = ReadBytes(kPictureFixtures + "anim.gif");
    EXPECT_TRUE(loads(animation.substr(0, animation.size() - 3)));
}

TEST(BadInput, ConverterReportsEachBadPictureAndGoesOn) {
    TempDir dir;
    const std::vector<BadPicture> bad = WriteBadPictures(dir.Path());
    WriteBytes(dir.File("locked.png"), ReadBytes(kSample));
    std::filesystem::permissions(dir.File("locked.png"), std::filesystem::perms::none);
    std::filesystem::create_directory(dir.File("out"));

    std::vector<std::string> arguments = {"--style", "table", "--out-dir", dir.File("out")};
    for (const BadPicture& picture : bad)
        arguments.push_back(dir.File(picture.name));
    arguments.push_back(dir.File("locked.png"));
    arguments.push_back(kSample);
    const CliRun run = RunCli(arguments, DropCapabilities);

    ASSERT_NE(run.status, 125) << "could not give up the capabilities that override permissions";
    EXPECT_EQ(run.status, 1);
    for (const BadPicture& picture : bad)
        EXPECT_NE(
            run.err.find(dir.File(picture.name) +
                         (picture.number == CError::kInvalidPicture ? kNotAPicture : kLoadFailed) +
                         std::to_string(picture.number) + ": "),
            std::string::npos)
            << picture.name << "\n"
            << run.err;
    EXPECT_NE(run.err.find(dir.File("locked.png") + kLoadFailed + "13: Отказано в доступе"),
              std::string::npos)
        << run.err;
    // Only the good picture became a page.
    std::vector<std::string> pages;
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("out")))
        pages.push_back(entry.path().filename().string());
    EXPECT_EQ(pages, std::vector<std::string>{"sample.table.htm"});
}

TEST(BadInput, ConverterReportsEachOutputThatCannotBeWritten) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("readonly"));
    std::filesystem::permissions(dir.File("readonly"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_exec);
    // A picture whose DIV page takes several fillings of the output buffer.
    Noise(300, 300).save(QString::fromStdString(dir.File("noise.png")));
    ASSERT_EQ(
        RunCli({"-q", "--style", "div", "-o", dir.File("whole.htm"), dir.File("noise.png")}).status,
        0);
    const std::string whole = ReadBytes(dir.File("whole.htm"));
    ASSERT_GT(whole.size(), 3u << 20);

    const struct {
        std::string path;
        std::string error;
    } outputs[] = {{dir.File("no/such/folder/page.htm"), "2: Нет такого файла или каталога"},
                   {dir.File("readonly/page.htm"), "13: Отказано в доступе"},
                   {dir.Path(), "21: Это каталог"},
                   {"/dev/full", "28: На устройстве не осталось свободного места"}};
    for (const auto& output : outputs) {
        const CliRun run =
            RunCli({"--style", "div", "-o", output.path, dir.File("noise.png")}, DropCapabilities);
        EXPECT_EQ(run.status, 1) << output.path;
        EXPECT_NE(run.err.find(output.path + kSaveFailed + output.error), std::string::npos)
            << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("readonly")));

    // A size limit met in the middle of the page: the page is refused, and no part of it stays.
    constexpr rlim_t kLimit = (3u << 19) + 12345; // within the second filling of the buffer
    const CliRun run =
        RunCli({"--style", "div", "-o", dir.File("limited.htm"), dir.File("noise.png")}, [] {
            const rlimit limit{kLimit, kLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(dir.File("limited.htm") + kSaveFailed + "27: Файл слишком велик"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(Exists(dir.File("limited.htm")));
}

TEST(BadInput, ThousandFailedSavesLeaveNoDescriptorOpen) {
    TempDir dir;
    const TemplatesScope templates(u"<body%BODY_TAG_TAIL%>\r\n", u"</body>\r\n", u"abc");
    const QImage picture = MakePicture(40, 30);
    std::filesystem::create_directory(dir.File("folder"));

    struct sigaction previousAction {};
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previousAction);
    rlimit previousLimit{};
    ::getrlimit(RLIMIT_FSIZE, &previousLimit);

    const struct {
        std::string path;
        int number;
        bool limited;
    } failures[] = {{dir.File("no/such/page.htm"), 2, false},
                    {dir.File("folder"), 21, false},
                    {"/dev/full", 28, false},
                    {dir.File("limited.htm"), 27, true}};
    const int before = OpenDescriptors();
    int failed = 0, attempt = 0;
    for (int round = 0; round < 250; ++round) {
        for (const auto& failure : failures) {
            std::unique_ptr<IAnyPicture> writer;
            switch (attempt++ % 3) {
            case 0:
                writer = std::make_unique<CTablePicture>();
                break;
            case 1:
                writer = std::make_unique<CSpanPicture>();
                break;
            default:
                writer = std::make_unique<CDivPicture>();
                break;
            }
            const rlimit limit{4096, previousLimit.rlim_max};
            if (failure.limited)
                ::setrlimit(RLIMIT_FSIZE, &limit);
            FakeReporter ui;
            const bool written = CallPictureGenerator(*writer, U16(failure.path), picture, ui, ui);
            ::setrlimit(RLIMIT_FSIZE, &previousLimit);
            failed += !written;
            // What the window shows: the path, an empty line, the sentence; the number and text.
            ASSERT_EQ(ui.errors.size(), 1u) << failure.path;
            EXPECT_EQ(ui.errors[0].number, failure.number) << failure.path;
            EXPECT_EQ(ui.errors[0].message,
                      U16(failure.path) + u"\r\n\r\nНе удалось сохранить файл.");
            if (failure.limited) {
                EXPECT_FALSE(Exists(failure.path));
            }
        }
    }
    ::sigaction(SIGXFSZ, &previousAction, nullptr);
    EXPECT_EQ(failed, 1000);
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(BadInput, TemplatesAndSourceTextOfEveryKind) {
    TempDir dir;
    const std::string shipped[] = {"source.text", "template.1.html", "template.2.html"};
    const auto freshTemplates = [&] {
        std::filesystem::remove_all(dir.File("t"));
        std::filesystem::create_directory(dir.File("t"));
        for (const std::string& name : shipped)
            WriteBytes(dir.File("t/" + name), ReadBytes(TESSELET_BIN_DIR "/" + name));
    };
    QImage black(10, 1, QImage::Format_RGB32);
    black.fill(Qt::black);
    black.save(QString::fromStdString(dir.File("black.png")));
    const auto spanRun = [&] {
        return RunCli({"--style", "span", "--templates", dir.File("t"), "-o", dir.File("page.htm"),
                       dir.File("black.png")},
                      DropCapabilities);
    };
    // The letters of the one line of the SPAN page, "|" after each.
    const auto letters = [&] {
        const std::string page = ReadBytes(dir.File("page.htm"));
        const std::string open = "<span style=\"color:#000000;\">";
        std::string found;
        for (std::size_t pos = 0; (pos = page.find(open, pos)) != std::string::npos;) {
            pos += open.size();
            const std::size_t close = page.find("</span>", pos);
            found += page.substr(pos, close - pos) + "|";
        }
        return found;
    };

    // Every encoding of the source text gives the same letters; markup is escaped, a tab is a
    // letter, a character above U+FFFF stays whole, a lone half of a pair becomes U+FFFD.
    const std::u16string text = u"Ёж <&>\"'\t\U0001F600";
    const auto utf16 = [](const std::u16string& units, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : units) {
            const char high = char(unit >> 8), low = char(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    const std::string expected =
        "\xD0\x81|\xD0\xB6|&lt;|&amp;|&gt;|&quot;|'|\t|\xF0\x9F\x98\x80|\xD0\x81|";
    const struct {
        const char* name;
        std::string bytes;
        std::string letters;
    } sources[] = {
        {"UTF-8", U8(text), expected},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + U8(text), expected},
        {"UTF-16 LE", utf16(text, false), expected},
        {"UTF-16 BE", utf16(text, true), expected},
        {"lone half", utf16(u"a"s + char16_t(0xDC00) + u"b", false),
         "a|\xEF\xBF\xBD|b|a|\xEF\xBF\xBD|b|a|\xEF\xBF\xBD|b|a|"},
        {"Windows-1251", "\xA8\xE6 <&>\"'\t",
         "\xD0\x81|\xD0\xB6|&lt;|&amp;|&gt;|&quot;|'|\t|\xD0\x81|\xD0\xB6|"},
        // Not UTF-8 (a stray byte), so read as Windows-1251: every byte a letter.
        {"invalid UTF-8", "\xD0\x81\xC0",
         "\xD0\xA0|\xD0\x83|\xD0\x90|\xD0\xA0|\xD0\x83|\xD0\x90|\xD0\xA0|\xD0\x83|\xD0\x90|"
         "\xD0\xA0|"},
        {"empty", "", "||||||||||"},
    };
    for (const auto& source : sources) {
        freshTemplates();
        WriteBytes(dir.File("t/source.text"), source.bytes);
        const CliRun run = spanRun();
        EXPECT_EQ(run.status, 0) << source.name << "\n" << run.err;
        EXPECT_EQ(letters(), source.letters) << source.name;
    }

    // Templates in UTF-16 become UTF-8 in the page; empty ones are allowed.
    freshTemplates();
    WriteBytes(dir.File("t/template.1.html"), utf16(u"<title>Ёж</title><body>", false));
    WriteBytes(dir.File("t/template.2.html"), "");
    ASSERT_EQ(spanRun().status, 0);
    const std::string page = ReadBytes(dir.File("page.htm"));
    EXPECT_TRUE(page.starts_with("\xEF\xBB\xBF<title>\xD0\x81\xD0\xB6</title><body><pre")) << page;
    EXPECT_TRUE(page.ends_with("</pre>\r\n"));

    // A folder where a file belongs, or a file that may not be read: the program does not start.
    for (const std::string& name : shipped) {
        freshTemplates();
        std::filesystem::remove(dir.File("page.htm"));
        std::filesystem::remove(dir.File("t/" + name));
        std::filesystem::create_directory(dir.File("t/" + name));
        CliRun run = spanRun();
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_NE(run.err.find(dir.File("t/" + name) + kTemplateFailed + "21: Это каталог"),
                  std::string::npos)
            << run.err;

        freshTemplates();
        std::filesystem::permissions(dir.File("t/" + name), std::filesystem::perms::none);
        run = spanRun();
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_NE(run.err.find(dir.File("t/" + name) + kTemplateFailed + "13: Отказано в доступе"),
                  std::string::npos)
            << run.err;
        EXPECT_FALSE(Exists(dir.File("page.htm"))) << name;
    }
}
