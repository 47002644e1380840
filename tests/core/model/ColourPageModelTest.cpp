#include "model/ColourPageModel.h"
#include "Printers.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>

// Rows follow the page's refresh: a colour already selected leaves the boxes
// alone, another one is selected (or written into the palette) and shown, the
// default mark follows the stored value, and a change of base rewrites the
// boxes with the selected colour.
TEST(ColourPageModel, RefreshWithoutControlsDoesWhatThePageWould)
{
    struct Row
    {
        const char* what;
        int kind;
        int link;
        COLORREF firstCell; // put into the selected cell (0, 0) beforehand
        COLORREF stored;
        int base;
        bool storedBack;
        COLORREF after;
        GridCell cell;
        COLORREF shown;
    };
    const Row rows[] = {
        {"default white is found", IDS_INFO_BGCOLOR, 0, 0, 0xFFFFFFFF, 10, true, 0xFFFFFFFF, {5, 14}, 0xFFFFFF},
        {"selected black keeps the boxes", IDS_INFO_TEXT, 0, 0, 0x000000, 10, false, 0x000000, {0, 0}, 0},
        {"missing colour, odd top byte", IDS_INFO_TEXT, 0, 0, 0x02123456, 10, true, 0xFF123456, {14, 14}, 0x123456},
        {"vlink of the links page", IDS_INFO_LINKS, 1, 0, 0x00980099, 10, true, 0x00980099, {14, 14}, 0x980099},
        {"no link: default, nothing written", IDS_INFO_LINKS, -1, 0, 0, 10, true, 0, {0, 0}, 0},
        {"selected already, boxes keep 0", IDS_INFO_TEXT, 0, 0x336699, 0x336699, 10, false, 0x336699, {0, 0}, 0},
        {"new base shows the selected colour",
         IDS_INFO_TEXT,
         0,
         0x336699,
         0x336699,
         16,
         false,
         0x336699,
         {0, 0},
         0x336699},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CColourPageModel model(row.kind);
        model.SetLink(row.link);
        if (row.firstCell)
            model.Grid().SetSelectedColour(row.firstCell);
        Scheme scheme;
        if (COLORREF* field = model.SchemeField(scheme))
            *field = row.stored;
        const Scheme before = scheme;

        EXPECT_EQ(model.UpdateFromScheme(scheme, row.base).Stored(), row.storedBack);
        if (COLORREF* field = model.SchemeField(scheme))
            EXPECT_EQ(*field, row.after);
        else
            EXPECT_EQ(scheme, before);
        EXPECT_EQ(model.Grid().GetSelection(), row.cell);
        EXPECT_EQ(model.Grid().GetSelectedColour(), row.after & kRgbMask);
        EXPECT_EQ(model.GetShownValues(), row.shown);
        EXPECT_EQ(model.IsDefault(), IsDefaultColour(row.after) || row.link < 0);
        EXPECT_EQ(model.GetBase(), row.base);
    }
}

TEST(ColourPageModel, ReplacedPaletteKeepsTheSelectedColour)
{
    CColourPageModel model(IDS_INFO_BGCOLOR);
    model.Grid().Select({3, 4});
    const COLORREF kept = model.Grid().GetSelectedColour();
    const CTextBuffer palette("1\r\n2\r\n");
    model.ReplacePalette(&palette);
    EXPECT_EQ(model.Grid().GetColour({0, 0}), 1u);
    EXPECT_EQ(model.Grid().GetSelectedColour(), kept) << "written into the palette that lacked it";
    model.ReplacePalette(nullptr);
    EXPECT_EQ(model.Grid().GetSelection(), (GridCell{3, 4})) << "found again in the default palette";
}
