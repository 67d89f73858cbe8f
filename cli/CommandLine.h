#pragma once

#include "ColorsAndPaths.h"
#include "PageStyle.h"

#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// The largest --max-bytes, 1 TiB: far above the largest page (16384 x 16384 DIV cells take some
/// 20 GB), so that no product of a number and its unit can wrap around.
constexpr std::uint64_t kMaxPageBudget = std::uint64_t{1} << 40;

/// What the converter was asked to do.
struct CliOptions {
    std::vector<const PageStyle*> styles;
    std::string output;    ///< -o: one page to this path ("-" for standard output)
    std::string outDir;    ///< --out-dir: pages go here instead of beside their pictures
    std::string templates; ///< --templates: folder of the start-up files
    int width = 0;         ///< 0: keep
    int height = 0;        ///< 0: keep
    bool quiet = false;
    // The compact styles' options.
    double tolerance = -1;               ///< --tolerance: ΔE neighbours may differ by; -1: none
    PixelColor background = 0xFFFFFFFFu; ///< --background: under partly transparent pixels
    bool fragment = false;               ///< --fragment: the table(s) alone
    std::uint64_t maxBytes = 0;          ///< --max-bytes: the page's budget; 0: none
    std::vector<std::string> pictures;   ///< as the bytes the system gave
};

/// The converter's command line. Help and version come back as the text to print, a usage error
/// as its own text.
class CommandLine {
public:
    struct Result {
        std::optional<CliOptions> options; ///< empty when the program should end at once
        QString error;                     ///< usage error, when not empty
        QString print;                     ///< --help or --version: what to print, then end
    };

    static Result Parse(const QStringList& arguments);
};
