#include "model/PreviewLayout.h"
#include "model/WrapText.h"

#include <gtest/gtest.h>

TEST(PreviewColours, DefaultsFallBackExplicitColoursStay)
{
    Scheme s;
    const PreviewColours fallback = ResolvePreviewColours(s, 0x00C0C0C0);
    EXPECT_EQ(fallback.background, 0x00C0C0C0u) << "the button face, not the stored white";
    EXPECT_EQ(fallback.text, 0x000000u);
    EXPECT_EQ(fallback.link, 0xFF0000u);
    EXPECT_EQ(fallback.vlink, 0x990099u);
    EXPECT_EQ(fallback.alink, 0x0000FFu);

    s.bgcolor = 0x00FFFFFF;
    s.text = 0x00123456;
    s.link = 0x01ABCDEF; // any non-zero top byte is default
    s.vlink = 0x00000001;
    s.alink = 0x00FF00FF;
    const PreviewColours explicitOnes = ResolvePreviewColours(s, 0x00C0C0C0);
    EXPECT_EQ(explicitOnes.background, 0x00FFFFFFu);
    EXPECT_EQ(explicitOnes.text, 0x00123456u);
    EXPECT_EQ(explicitOnes.link, 0xFF0000u);
    EXPECT_EQ(explicitOnes.vlink, 0x00000001u);
    EXPECT_EQ(explicitOnes.alink, 0x00FF00FFu);
}

TEST(PreviewLayout, TextBlocksAndLinkBand)
{
    // A 340 x 290 pane, texts of 60 and 40 pixels, lines of 20.
    const PreviewLayout l = LayoutPreview({0, 0, 340, 290}, 60, 40, 20);
    EXPECT_EQ(l.inner, (PreviewRect{5, 5, 335, 285}));
    EXPECT_EQ(l.topText, (PreviewRect{5, 5, 335, 65}));
    EXPECT_EQ(l.bottomText, (PreviewRect{5, 245, 335, 285}));
    EXPECT_EQ(l.vlink, (PreviewRect{5, 65, 335, 245})) << "the visited line fills the band between the blocks";
    EXPECT_EQ(l.link, (PreviewRect{5, 35, 335, 215})) << "one line height plus 10 above";
    EXPECT_EQ(l.alink, (PreviewRect{5, 95, 335, 275})) << "one line height plus 10 below";
}

TEST(PreviewLayout, ShortBandIsNotChecked)
{
    // The texts overlap: the band turns upside down and the lines are cut.
    const PreviewLayout l = LayoutPreview({0, 0, 100, 100}, 60, 60, 20);
    EXPECT_EQ(l.vlink.top, 65);
    EXPECT_EQ(l.vlink.bottom, 35);
    EXPECT_LT(l.vlink.Height(), 0);
}

namespace {

// Every character is 10 pixels wide.
int Measure(const std::u32string& s)
{
    return int(s.size()) * 10;
}

std::vector<std::u32string> Wrap(const char32_t* text, int width)
{
    return WrapText(text, width, Measure);
}

} // namespace

TEST(WrapText, BreaksBetweenWords)
{
    using V = std::vector<std::u32string>;
    EXPECT_EQ(Wrap(U"aaa bbb ccc", 70), (V{U"aaa bbb", U"ccc"}));
    EXPECT_EQ(Wrap(U"aaa bbb ccc", 110), (V{U"aaa bbb ccc"}));
    EXPECT_EQ(Wrap(U"aaa bbb ccc", 30), (V{U"aaa", U"bbb", U"ccc"}));
    EXPECT_EQ(Wrap(U"aaaaaaaa bb", 30), (V{U"aaaaaaaa", U"bb"})) << "a long word stays whole";
    EXPECT_EQ(Wrap(U"aa\r\nbb", 100), (V{U"aa", U"bb"}));
    EXPECT_EQ(Wrap(U"", 100), (V{U""}));
    EXPECT_EQ(Wrap(U"aaa   bbb", 40), (V{U"aaa", U"bbb"})) << "blanks at a break are dropped";
}
