#pragma once

#include <string>

class IAnyPicture;
class IErrorReporter;
class IGeneratorUi;
class IPictureSource;

/// Writes one page: shows the busy pointer, repaints the window once and walks the picture.
/// Returns true only when the page was written to the end and its file closed; every failure has
/// been reported by then.
bool CallPictureGenerator(IAnyPicture& writer, const std::u16string& FileName,
                          const IPictureSource& picture, IGeneratorUi& ui,
                          IErrorReporter& reporter);

/// The walk itself: every pixel, row by row, through the writer contract.
bool GeneratePicture(IAnyPicture& writer, const std::u16string& FileName,
                     const IPictureSource& picture, IGeneratorUi& ui, IErrorReporter& reporter);

/// Rounds to the nearest 32-bit integer, halves to the even neighbour; throws the overflow error
/// outside the 32-bit range.
std::int32_t RoundToInt32(double value);
