#pragma once

namespace qv::toolkit {

inline constexpr int kTwipsPerInch = 1440;

// Twips per device pixel for a screen or printer of the given logical resolution.
double twipsPerPixel(int dpi);
double pixelsToTwips(double pixels, double twipsPerPixel);
// Whole pixels, rounded half to even.
int twipsToPixels(double twips, double twipsPerPixel);

}  // namespace qv::toolkit
