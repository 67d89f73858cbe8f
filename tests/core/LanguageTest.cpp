#include "TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const std::string kSample = TESSELET_SOURCE_DIR "/resources/sample.png";

/// What the converter says, word for word, in one language.
struct Words {
    std::string unknownStyle;  ///< the program's own usage error
    std::string unknownOption; ///< Qt's usage error, from Qt's translation
    std::string hint;
    std::string notLoaded;
    std::string notSaved;
    std::string emptyPicture;   ///< the program's own failure, its description built in two parts
    std::string device;         ///< the same, with the advice that follows it
    std::string helpStart;      ///< --help's first words, Qt's
    std::string otherErrorWord; ///< the other language's word for an error line: never seen
};

const Words kRussian{
    "tesselet-cli: неизвестный стиль «bogus» (table, span, div, compact, compact-mail или "
    "all)",
    "tesselet-cli: Неизвестный параметр «bogus».",
    "Попробуйте «tesselet-cli --help».",
    "\n\nНе удалось загрузить файл.\nОшибка 2: Нет такого файла или каталога\n",
    "\n\nНе удалось сохранить файл.\nОшибка 28: На устройстве не осталось "
    "свободного места\n",
    "\n\nНе удалось загрузить файл.\nОшибка 1482: Неверная картинка: файл пуст\n",
    "\n\nНе удалось загрузить файл.\nОшибка 1485: Это не обычный файл: канал, "
    "устройство или сокет не читается как картинка; «-» читает картинку со "
    "стандартного ввода\n",
    "Использование: ",
    "Error "};
const Words kEnglish{
    "tesselet-cli: unknown style \"bogus\" (table, span, div, compact, compact-mail or all)",
    "tesselet-cli: Unknown option 'bogus'.",
    "Try 'tesselet-cli --help'.",
    "\n\nCould not load the file.\nError 2: No such file or directory\n",
    "\n\nCould not save the file.\nError 28: No space left on device\n",
    "\n\nCould not load the file.\nError 1482: Invalid picture: the file is empty\n",
    "\n\nCould not load the file.\nError 1485: Not a regular file: a pipe, device "
    "or socket is not read as a picture; \"-\" reads the picture from standard "
    "input\n",
    "Usage: ",
    "Ошибка "};

/// Runs the converter under a locale given as environment variables; the others are unset.
CliRun RunIn(const std::vector<std::pair<const char*, const char*>>& locale,
             const std::vector<std::string>& arguments) {
    return RunCli(arguments, [&locale] {
        for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            ::unsetenv(name);
        for (const auto& [name, value] : locale)
            ::setenv(name, value, 1);
    });
}

} // namespace

// One language per run, chosen by the locale: the program's words, Qt's words and the system's
// errors all in it, never a line that switches halfway.
TEST(Language, TheConverterSpeaksTheLocalesLanguageThroughout) {
    const struct {
        const char* what;
        std::vector<std::pair<const char*, const char*>> locale;
        const Words& words;
    } cases[] = {
        {"no locale at all", {}, kRussian},
        {"the C locale", {{"LANG", "C"}}, kRussian},
        {"POSIX", {{"LANG", "POSIX"}}, kRussian},
        {"Russian", {{"LANG", "ru_RU.UTF-8"}}, kRussian},
        {"a language without a translation", {{"LANG", "de_DE.UTF-8"}}, kRussian},
        {"English", {{"LANG", "en_US.UTF-8"}}, kEnglish},
        {"English without a country", {{"LANG", "en"}}, kEnglish},
        {"LC_ALL over LANG", {{"LANG", "ru_RU.UTF-8"}, {"LC_ALL", "en_GB.UTF-8"}}, kEnglish},
        {"LC_MESSAGES over the C locale",
         {{"LANG", "C"}, {"LC_MESSAGES", "en_US.UTF-8"}},
         kEnglish},
        {"LC_ALL in the C locale", {{"LANG", "en_US.UTF-8"}, {"LC_ALL", "C.UTF-8"}}, kRussian},
        {"LC_MESSAGES over LANG",
         {{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ru_RU.UTF-8"}},
         kRussian},
    };
    TempDir dir;
    WriteBytes(dir.File("empty.png"), "");
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const Words& words = each.words;

        CliRun run = RunIn(each.locale, {"--style", "bogus", kSample});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, words.unknownStyle + "\n" + words.hint + "\n");

        run = RunIn(each.locale, {"--bogus", kSample});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, words.unknownOption + "\n" + words.hint + "\n");

        run = RunIn(each.locale, {"--out-dir", dir.Path(), dir.File("missing.png")});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, dir.File("missing.png") + words.notLoaded);

        run = RunIn(each.locale, {"--style", "div", "-o", "/dev/full", kSample});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "/dev/full" + words.notSaved);
        EXPECT_EQ(run.err.find(words.otherErrorWord), std::string::npos) << run.err;

        run = RunIn(each.locale, {"--out-dir", dir.Path(), dir.File("empty.png")});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, dir.File("empty.png") + words.emptyPicture);

        run = RunIn(each.locale, {"--out-dir", dir.Path(), "/dev/zero"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "/dev/zero" + words.device);

        run = RunIn(each.locale, {"--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind(words.helpStart, 0), 0U) << run.out;
    }
}
