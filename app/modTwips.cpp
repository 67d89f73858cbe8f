#include "modTwips.h"

#include <cmath>

int TwipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kUnitsPerInch));
}

float TwipsPerPixel(double dotsPerInch) {
    return static_cast<float>(kUnitsPerInch / dotsPerInch);
}
