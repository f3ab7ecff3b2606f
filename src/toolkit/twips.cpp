#include "toolkit/twips.h"

#include "toolkit/numbers.h"

namespace qv::toolkit {

double twipsPerPixel(int dpi) {
    return dpi > 0 ? double(kTwipsPerInch) / dpi : 15.0;
}

double pixelsToTwips(double pixels, double tpp) {
    return pixels * tpp;
}

int twipsToPixels(double twips, double tpp) {
    return tpp > 0 ? static_cast<int>(roundHalfEven(twips / tpp)) : 0;
}

}  // namespace qv::toolkit
