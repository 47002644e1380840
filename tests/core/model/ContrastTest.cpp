#include "model/Contrast.h"

#include <gtest/gtest.h>

TEST(Contrast, PublishedRatiosInEitherOrder)
{
    // Published values (WCAG examples and the usual checkers), to two places.
    const struct
    {
        COLORREF a, b;
        double ratio;
    } rows[] = {
        {MakeColour(0x77, 0x77, 0x77), MakeColour(0xFF, 0xFF, 0xFF), 4.48},
        {MakeColour(0x00, 0x00, 0x00), MakeColour(0xFF, 0xFF, 0xFF), 21.0},
        {MakeColour(0x76, 0x76, 0x76), MakeColour(0xFF, 0xFF, 0xFF), 4.54},
        {MakeColour(0x59, 0x59, 0x59), MakeColour(0xFF, 0xFF, 0xFF), 7.00},
        {MakeColour(0x00, 0x00, 0xEE), MakeColour(0xFF, 0xFF, 0xFF), 9.40},
        {MakeColour(0xFF, 0x00, 0x00), MakeColour(0xFF, 0xFF, 0xFF), 4.00},
        {MakeColour(0x12, 0x34, 0x56), MakeColour(0x12, 0x34, 0x56), 1.00},
    };
    for (const auto& row : rows) {
        EXPECT_NEAR(ContrastRatio(row.a, row.b), row.ratio, 0.005) << std::hex << row.a;
        EXPECT_DOUBLE_EQ(ContrastRatio(row.a, row.b), ContrastRatio(row.b, row.a));
    }
}

TEST(Contrast, LevelsAtTheirThresholdsUnrounded)
{
    EXPECT_EQ(RateContrast(21), ContrastLevel::AAA);
    EXPECT_EQ(RateContrast(7), ContrastLevel::AAA);
    EXPECT_EQ(RateContrast(6.999), ContrastLevel::AA);
    EXPECT_EQ(RateContrast(4.5), ContrastLevel::AA);
    EXPECT_EQ(RateContrast(ContrastRatio(MakeColour(0x77, 0x77, 0x77), kBrowserBackground)), ContrastLevel::Fail)
        << "4.48 is not rounded up to 4.5";
}

TEST(Contrast, DefaultsCountAsTheBrowsersColours)
{
    const auto defaults = SchemeContrasts(Scheme());
    EXPECT_NEAR(defaults[0], 21.0, 0.005);
    EXPECT_NEAR(defaults[1], 9.40, 0.005);
    EXPECT_NEAR(defaults[2], ContrastRatio(kBrowserVisited, kBrowserBackground), 1e-9);
    EXPECT_NEAR(defaults[3], 4.00, 0.005);

    Scheme dark;
    dark.bgcolor = MakeColour(0, 0, 0);
    dark.alink = MakeColour(0xFF, 0xFF, 0xFF);
    const auto onBlack = SchemeContrasts(dark);
    EXPECT_NEAR(onBlack[0], 1.0, 1e-9) << "default text (black) on a black page";
    EXPECT_NEAR(onBlack[3], 21.0, 1e-9);
}
