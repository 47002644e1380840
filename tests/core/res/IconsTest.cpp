#include "res/Icons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace {

uint32_t BigEndian32(std::span<const unsigned char> bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

uint32_t Crc32(std::span<const unsigned char> bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

constexpr std::array<unsigned char, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Walks the chunks of a PNG file: every chunk must fit, carry a right CRC,
// and the last one must be IEND, ending exactly at the end of the file.
testing::AssertionResult IsWholePng(std::span<const unsigned char> png)
{
    if (png.size() < kPngSignature.size() || !std::ranges::equal(png.first(kPngSignature.size()), kPngSignature))
        return testing::AssertionFailure() << "no PNG signature";
    size_t at = kPngSignature.size();
    std::string type;
    while (at + 12 <= png.size()) {
        const uint32_t length = BigEndian32(png.subspan(at, 4));
        if (length > png.size() - at - 12)
            return testing::AssertionFailure() << "chunk at " << at << " runs past the end";
        const auto typeAndData = png.subspan(at + 4, 4 + length);
        type.assign(typeAndData.begin(), typeAndData.begin() + 4);
        if (Crc32(typeAndData) != BigEndian32(png.subspan(at + 8 + length, 4)))
            return testing::AssertionFailure() << "bad CRC in chunk " << type;
        at += 12 + length;
        if (type == "IEND")
            break;
    }
    if (type != "IEND" || at != png.size())
        return testing::AssertionFailure() << "last chunk " << type << " ends at " << at << " of " << png.size();
    return testing::AssertionSuccess();
}

TEST(AppIcon, SizesAreAscendingFrom16To256)
{
    EXPECT_TRUE(std::ranges::is_sorted(kIconSizes, std::ranges::less_equal{}) &&
                std::ranges::adjacent_find(kIconSizes) == kIconSizes.end());
    EXPECT_EQ(kIconSizes.front(), 16);
    EXPECT_EQ(kIconSizes.back(), 256);
}

TEST(AppIcon, EverySizeIsAWholePngOfThatSizeWithAlpha)
{
    for (int size : kIconSizes) {
        const auto png = GetIconPng(size);
        ASSERT_GE(png.size(), 33u) << size;
        EXPECT_TRUE(IsWholePng(png)) << size;
        // The first chunk is IHDR: width, height, bit depth, colour type.
        EXPECT_EQ(BigEndian32(png.subspan(8, 4)), 13u) << size;
        EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR") << size;
        EXPECT_EQ(BigEndian32(png.subspan(16, 4)), uint32_t(size)) << "width";
        EXPECT_EQ(BigEndian32(png.subspan(20, 4)), uint32_t(size)) << "height";
        EXPECT_EQ(png[24], 8) << size << ": bit depth";
        EXPECT_EQ(png[25], 6) << size << ": colour type RGBA";
    }
}

TEST(AppIcon, SizesWeDoNotHaveGiveNoData)
{
    for (int size : {0, -16, 1, 15, 20, 96, 257, 512})
        EXPECT_TRUE(GetIconPng(size).empty()) << size;
}

} // namespace
