#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

/// A page file written from its first byte, its text converted to UTF-8. Pieces are collected in
/// a fixed buffer and written in large blocks, so memory does not grow with the page.
///
/// A page never replaces a file until it is whole: it is written to a temporary file beside its
/// target and renamed over the target only when it is complete and closed. An interrupted, failed
/// or abandoned page leaves the old file as it was and no partial page. Devices, FIFOs and sockets
/// (/dev/null, a pipe) are written in place, and "-" is the standard output as it is, never
/// reopened, truncated or moved; so is any other name of the file that standard output or error
/// already writes to. A link stays a link, a dangling one included: the file it leads to gets the
/// page.
class OutputFile {
public:
    /// The name that stands for the standard output.
    static constexpr std::string_view kStandardOutput = "-";

    /// The standard stream (STDOUT_FILENO, STDERR_FILENO) that a page for `path` is written to in
    /// place: standard output for "-", and the stream whose very file `path` names; none for any
    /// other. Throws Failure::kStreamClosed when that stream was closed when the program started.
    static std::optional<int> StandardStream(const std::string& path);

    // Large writes cost the kernel less per byte: against 64 KiB, 1 MiB took a TABLE pixel to a
    // file from 12.3 to 8.4 ns. The buffer is allocated once, so memory stays fixed all the same.
    static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    /// Starts the page for `path` (see the class).
    void Open(const std::string& path);
    /// Starts a page kept in memory instead of a file: Close keeps what was appended, complete or
    /// not, in Memory().
    void OpenMemory();
    /// Starts a page that is only counted, as a page in memory whose bytes are dropped once
    /// counted: MemorySize() tells how many were appended.
    void OpenCounter();
    /// The bytes of a page kept in memory, whole once it is closed.
    const std::string& Memory() const noexcept { return mMemory; }
    /// How many bytes have been appended since Open, OpenMemory or OpenCounter, buffered ones
    /// included; counted for a page in memory or a counted one only.
    std::size_t MemorySize() const noexcept { return mMemory.size() + mCounted + mUsed; }
    /// Appends the UTF-8 bytes of `text`.
    void Append(std::u16string_view text);
    /// Appends raw bytes.
    void AppendBytes(const void* bytes, std::size_t count);
    /// Room for up to `count` bytes (at most kBufferSize) at the end of the page, for a piece that
    /// is put together in place instead of being copied in. What is buffered is written first
    /// when the room is short, which is where a write error is thrown; the piece itself is
    /// appended only by Commit.
    char* Reserve(std::size_t count) {
        if (count > kBufferSize - mUsed)
            Flush();
        mReservedEnd = mUsed + count;
        return mBuffer.get() + mUsed;
    }
    /// Appends the bytes from the place that Reserve returned up to `end`. A piece longer than its
    /// room has written where it had no right to: a fault of the writer, never of the picture, so
    /// the program stops there rather than write a page from a corrupted buffer.
    void Commit(const char* end) noexcept {
        mUsed = static_cast<std::size_t>(end - mBuffer.get());
        if (mUsed > mReservedEnd) [[unlikely]]
            std::abort();
    }
    /// The page's last byte has been appended: Close may put it in place.
    void MarkComplete() noexcept { mComplete = true; }
    /// Ends the page. A complete page is written out, closed and renamed over its target; any
    /// other is discarded (its temporary file removed). A failure is thrown after the temporary
    /// file is gone and the descriptor closed, so a second Close does nothing and succeeds.
    void Close();

    /// Whether a page is started and not yet closed: in a file, in memory or counted.
    bool IsOpen() const noexcept { return mFd != -1 || mInMemory; }

private:
    /// Forgets the last page: nothing appended, counted or to be replaced.
    void Start(bool inMemory);
    /// Writes the page into a new temporary file beside `target`, with the permissions `mode`;
    /// Close renames it over `target`.
    void OpenTempBeside(std::string target, mode_t mode);
    void Flush();
    void WriteAll(const char* data, std::size_t count);
    /// Closes the descriptor and removes the temporary file, whatever happened; never throws.
    void Discard() noexcept;

    int mFd = -1;
    bool mOwnsFd = false;
    bool mComplete = false;
    std::string mTarget; ///< the file to replace; empty when written in place
    std::string mTemp;   ///< the temporary file beside it
    std::unique_ptr<char[]> mBuffer;
    std::size_t mUsed = 0;
    /// Where the room that Reserve gave ends.
    std::size_t mReservedEnd = 0;
    bool mInMemory = false;
    std::string mMemory; ///< a page kept in memory
    bool mCountOnly = false;
    std::size_t mCounted = 0; ///< bytes of a counted page already dropped
};
