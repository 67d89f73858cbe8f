#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

/// Keeps a page off the files it is made from and off the pages written before it. Files are
/// compared as the system knows them (device and inode, links followed), so another spelling of
/// the same name, a link or a hard link is still the same file; "-" is the file behind standard
/// input as a picture and behind standard output as an output.
class COutputGuard {
public:
    /// A file that no page may replace (a start-up file, for every page of the run).
    void Protect(const std::u16string& path);

    /// Throws CError::kOutputIsInput when `output` is `picture` or a protected file, and
    /// CError::kOutputTwice when a page of this run was written to it already;
    /// CError::kStreamClosed when it is standard output (or error) and that was closed.
    void Check(const std::u16string& output, const std::u16string& picture) const;

    /// Remembers that the page of `picture` was written to `output`.
    void Written(const std::u16string& output, const std::u16string& picture);

private:
    using FileId = std::pair<unsigned long long, unsigned long long>;
    std::vector<std::u16string> mProtected;
    std::map<FileId, std::u16string> mWritten; ///< page file -> the picture it was made from
};
