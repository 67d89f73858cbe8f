#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

/// A page file written from its first byte, its text converted to UTF-8. Pieces are collected in
/// a fixed buffer and written in large blocks, so memory does not grow with the page.
class COutputFile {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    COutputFile();
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    /// Creates `path` empty (or empties it) and opens it for writing. Returns the descriptor.
    int Open(const std::u16string& path);
    /// Appends the UTF-8 bytes of `text`.
    void Append(std::u16string_view text);
    /// Appends raw bytes.
    void AppendBytes(const void* bytes, std::size_t count);
    /// Writes what is buffered and closes the file. A write error is thrown, but only after the
    /// unwritable rest is dropped, so that a second Close closes the file and succeeds.
    void Close();

    bool IsOpen() const noexcept { return mFd >= 0; }

private:
    void Flush();
    void WriteAll(const char* data, std::size_t count);

    int mFd = -1;
    std::unique_ptr<char[]> mBuffer;
    std::size_t mUsed = 0;
};
