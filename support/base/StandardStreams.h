#pragma once

#include <optional>
#include <string>

/// Standard input, output and error as the program was given them. A stream the caller closed
/// (`<&-`, `>&-`, `2>&-`) leaves its number free, and the next file the program opened would take
/// it: a picture read from "standard input" would then be that file, a page written to "standard
/// output" would go into it. Each closed one is therefore held by a stand-in of its own from the
/// start, and a run that needs it is told that it is closed.
namespace StandardStreams {

/// Notes which of the three are closed and gives each of them its stand-in (an empty file in
/// memory, no other name reaches it). Called first in main, before anything opens a descriptor.
void HoldClosed() noexcept;

/// Throws Failure::kStreamClosed when `fd` (0, 1 or 2) was closed when the program started.
void ExpectOpen(int fd);

/// STDOUT_FILENO or STDERR_FILENO when the file at `nativePath` (links followed) is the very file
/// that stream writes to, whatever name reaches it (/dev/stdout, /proc/self/fd/1, the name of the
/// file it was redirected to); nothing for any other file, or for a name that reaches none. Throws
/// Failure::kStreamClosed when the name reaches the stand-in of a closed stream.
std::optional<int> StreamWritingTo(const std::string& nativePath);

} // namespace StandardStreams
