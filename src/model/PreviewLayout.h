// Where the preview pane draws what: the colours after the default fallbacks
// and the rectangles of the two text blocks and the three link lines. Pure
// geometry; the drawing is the main window's.
#pragma once

#include "model/Scheme.h"

struct PreviewRect
{
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PreviewRect&) const = default;
};

struct PreviewColours
{
    COLORREF background, text, link, vlink, alink;
};

// Default colours fall back to the button face, black, blue, purple and red.
PreviewColours ResolvePreviewColours(const Scheme& scheme, COLORREF buttonFace);

struct PreviewLayout
{
    PreviewRect inner;      // the client rectangle less 5 pixels each side
    PreviewRect topText;    // the upper text block, at the top of inner
    PreviewRect bottomText; // the lower text block, its bottom on inner's
    PreviewRect link;       // the three link lines, each the link band moved
    PreviewRect vlink;      // up or down; every line is drawn centred and
    PreviewRect alink;      // clipped in its own rectangle
};

// topHeight and bottomHeight are the heights of the two word-wrapped texts
// in inner's width, lineHeight the height of one link line.
PreviewLayout LayoutPreview(const PreviewRect& client, int topHeight, int bottomHeight, int lineHeight);
