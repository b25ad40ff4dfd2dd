#pragma once

#include <QtGlobal>

namespace qv {

// Logical dots per inch of the screen the program runs on (96 when there is
// no screen).
double LogicalDpi();

// Twips (1/1440 inch) and HIMETRIC units (0.01 mm) to pixels: 15 twips per
// pixel at 96 dots per inch.
inline int TwipsToPixels(double twips, double dpi) { return qRound(twips * dpi / 1440.0); }
inline int TwipsToPixels(double twips) { return TwipsToPixels(twips, LogicalDpi()); }
inline int HimetricToPixels(double himetric, double dpi) { return qRound(himetric * dpi / 2540.0); }
inline int HimetricToPixels(double himetric) { return HimetricToPixels(himetric, LogicalDpi()); }
// Pixels to twips, unrounded, for comparing a size with a limit given in twips.
inline double PixelsToTwips(double pixels, double dpi) { return pixels * 1440.0 / dpi; }
inline double PixelsToTwips(double pixels) { return PixelsToTwips(pixels, LogicalDpi()); }

}  // namespace qv
