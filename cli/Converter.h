#pragma once

#include "CommandLine.h"
#include "OutputGuard.h"

#include <QImage>
#include <cstdio>
#include <memory>

class ConsoleReporter;
struct PageTemplates;

/// Converts each picture into each page style asked for, framed by the templates.
class Converter {
public:
    /// The name of a picture read from standard input, and of its pages.
    static constexpr std::string_view kStandardInput = "-";

    /// `startUpFiles` and `programFiles` are the files the pages must never replace. `templates`
    /// outlive the converter.
    Converter(const CliOptions& options, const PageTemplates& templates, ConsoleReporter& reporter,
              std::FILE* info, const std::vector<std::string>& startUpFiles = {},
              const std::vector<std::string>& programFiles = {});

    /// 0 when every page was written, 1 when a picture or a page failed.
    int Run();

    /// Where the page of `picture` in `style` goes.
    std::string OutputPath(const std::string& picture, const PageStyle& style) const;

private:
    bool Convert(const std::string& picture);
    QImage Load(const std::string& picture) const;
    bool Write(const std::string& picture, const PageStyle& style, const QImage& loaded);
    /// A fresh writer of `style`, set up as the options ask.
    std::unique_ptr<PageWriter> MakeWriter(const PageStyle& style) const;
    /// A line on standard error, unless quiet.
    void Note(const QString& text) const;

    const CliOptions& mOptions;
    const PageTemplates& mTemplates;
    ConsoleReporter& mReporter;
    std::FILE* mInfo;
    OutputGuard mGuard;
};
