#pragma once

#include <QByteArray>

class QIODevice;

/// True when the picture on `device` ends before its image data does. Qt's JPEG, GIF and BMP
/// readers fill what is missing with grey and report success, so a file cut short in a download
/// would silently become a page of a partly grey picture. `format` is Qt's name for the device's
/// content (QImageReader::imageFormat), which knew the format by its first bytes, so they are not
/// checked again. Reads the device from its start and leaves it anywhere; formats other than
/// "jpeg", "gif" and "bmp" are never cut short here (their readers fail by themselves).
bool IsPictureCutShort(QIODevice& device, const QByteArray& format);
