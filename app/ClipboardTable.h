#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

class IMessageBox;
class QImage;

/// Most bytes of a table put on the clipboard: 10 MB.
inline constexpr std::size_t kMaxClipboardTableBytes = std::size_t{10} * 1024 * 1024;

/// The TABLE page's table for `picture`: what the TABLE writer writes between the page's head and
/// its tail, as UTF-8, for the picture flattened over white as the TABLE page gets it. Nothing
/// when it would take more than `limit` bytes (the walk stops as soon as it has; `wouldTake` is
/// then how many the whole table would take) or when the walk failed (reported through
/// `messages`).
std::optional<std::string> TableForClipboard(const QImage& picture, IMessageBox& messages,
                                             std::size_t& wouldTake,
                                             std::size_t limit = kMaxClipboardTableBytes);

/// What the user is told when the table is too large for the clipboard.
QString TooLargeForClipboardMessage(std::size_t wouldTake);
