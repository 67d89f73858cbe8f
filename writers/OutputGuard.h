#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

/// Keeps a page off the files it is made from, off the program's own files and off the pages
/// written before it. Files are compared as the system knows them (device and inode, links
/// followed), so another spelling of the same name, a link or a hard link is still the same file;
/// "-" is the file behind standard input as a picture and behind standard output as an output.
class OutputGuard {
public:
    /// What a protected file is to the program, as the refusal names it.
    enum class Kind {
        kStartUpFile, ///< a template or the source text the run reads
        kProgramFile, ///< one of the files the program is made of or ships beside itself
    };

    /// A file that no page may replace, for every page of the run.
    void Protect(const std::string& path, Kind kind = Kind::kStartUpFile);

    /// Throws Failure::kOutputIsInput when `output` is `picture` or a protected file, and
    /// Failure::kOutputTwice when a page of this run was written to it already;
    /// Failure::kStreamClosed when it is standard output (or error) and that was closed.
    void Check(const std::string& output, const std::string& picture) const;

    /// Remembers that the page of `picture` was written to `output`.
    void Written(const std::string& output, const std::string& picture);

private:
    using FileId = std::pair<unsigned long long, unsigned long long>;
    std::vector<std::pair<std::string, Kind>> mProtected;
    std::map<FileId, std::string> mWritten; ///< page file -> the picture it was made from
};
