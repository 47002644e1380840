#include "model/Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(uint8_t component)
{
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

COLORREF OrBrowser(COLORREF value, COLORREF browser)
{
    return IsDefaultColour(value) ? browser : value;
}

// The relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(COLORREF colour)
{
    return 0.2126 * Linear(RedOf(colour)) + 0.7152 * Linear(GreenOf(colour)) + 0.0722 * Linear(BlueOf(colour));
}

} // namespace

double ContrastRatio(COLORREF a, COLORREF b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ContrastLevel RateContrast(double ratio)
{
    if (ratio >= 7)
        return ContrastLevel::AAA;
    if (ratio >= 4.5)
        return ContrastLevel::AA;
    return ContrastLevel::Fail;
}

std::array<double, 4> SchemeContrasts(const Scheme& scheme)
{
    const COLORREF background = OrBrowser(scheme.bgcolor, kBrowserBackground);
    return {ContrastRatio(OrBrowser(scheme.text, kBrowserText), background),
            ContrastRatio(OrBrowser(scheme.link, kBrowserLink), background),
            ContrastRatio(OrBrowser(scheme.vlink, kBrowserVisited), background),
            ContrastRatio(OrBrowser(scheme.alink, kBrowserActive), background)};
}
