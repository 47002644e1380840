#include "model/PreviewLayout.h"

PreviewColours ResolvePreviewColours(const Scheme& s, COLORREF buttonFace)
{
    auto pick = [](COLORREF value, COLORREF fallback) { return IsDefaultColour(value) ? fallback : value; };
    return {pick(s.bgcolor, buttonFace), pick(s.text, 0x000000), pick(s.link, 0xFF0000), pick(s.vlink, 0x990099),
            pick(s.alink, 0x0000FF)};
}

PreviewLayout LayoutPreview(const PreviewRect& client, int topHeight, int bottomHeight, int lineHeight)
{
    PreviewLayout l;
    l.inner = {client.left + 5, client.top + 5, client.right - 5, client.bottom - 5};
    l.topText = {l.inner.left, l.inner.top, l.inner.right, l.inner.top + topHeight};
    l.bottomText = {l.inner.left, l.inner.bottom - bottomHeight, l.inner.right, l.inner.bottom};
    // The band between the two blocks holds the visited line; the other two
    // sit one line height plus 10 pixels above and below it. The band is
    // never checked: when it is short the lines reach into the text.
    const PreviewRect band = {l.inner.left, l.topText.bottom, l.inner.right, l.bottomText.top};
    const int step = lineHeight + 10;
    l.vlink = band;
    l.link = {band.left, band.top - step, band.right, band.bottom - step};
    l.alink = {band.left, band.top + step, band.right, band.bottom + step};
    return l;
}
