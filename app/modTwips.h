#pragma once

// Window layout values are in units of 1/1440 inch, so that the window follows the screen's dots
// per inch.

constexpr int kUnitsPerInch = 1440;

/// Pixels for a length in 1/1440 inch at `dotsPerInch`, rounded to the nearest pixel.
int TwipsToPixels(int twips, double dotsPerInch);

/// Units of 1/1440 inch per pixel at `dotsPerInch`.
float TwipsPerPixel(double dotsPerInch);
