#pragma once

#include "CCommandLine.h"

#include <QImage>
#include <cstdio>

class CConsoleReporter;

/// Converts each picture into each page style asked for. The templates must be loaded.
class CConverter {
public:
    CConverter(const CliOptions& options, CConsoleReporter& reporter, std::FILE* info);

    /// 0 when every page was written, 1 when a picture or a page failed.
    int Run();

    /// Where the page of `picture` in `style` goes.
    std::u16string OutputPath(const std::u16string& picture, const PageStyle& style) const;

private:
    bool Convert(const std::u16string& picture);
    QImage Scaled(QImage image) const;

    const CliOptions& mOptions;
    CConsoleReporter& mReporter;
    std::FILE* mInfo;
};
