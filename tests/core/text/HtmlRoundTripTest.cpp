// Scheme -> body tag -> export into a file -> import -> the same scheme.
#include "HtmlFiles.h"
#include "Printers.h"
#include "model/BodyTag.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Every scheme whose image path does not start or end with a blank comes back
// whole, quotes, references and '>' included; with useback clear, watermark
// is not written.
Scheme RandomScheme(std::mt19937& random)
{
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const Scheme defaults;
    Scheme s;
    for (auto field : {&Scheme::bgcolor, &Scheme::text, &Scheme::link, &Scheme::vlink, &Scheme::alink})
        s.*field = pick(0, 3) == 0 ? defaults.*field : COLORREF(pick(0, 0xFFFFFF));
    s.topmargin = pick(-1, 100);
    s.sidemargin = pick(-1, 100);
    s.useback = uint8_t(pick(0, 1));
    s.watermark = s.useback ? uint8_t(pick(0, 1)) : 0;
    static const std::string kPathBytes = "abcXYZ019/._-:~%?&#;'\"<>= \\\xE9\xFF\x80";
    std::string path = "p";
    for (int n = pick(0, 60); n > 0; --n)
        path += kPathBytes[pick(0, int(kPathBytes.size()) - 1)];
    path += 'q';
    s.background.assign(path.c_str());
    return s;
}

TEST(HtmlRoundTrip, RandomSchemesThroughOneFile)
{
    CScratchDir dir;
    const std::string path = dir.Path("page.html");
    WriteBytes(path, "<html>\r\n<head><title>Page</title></head>\r\n<body bgcolor=\"#ffffff\">\r\n</body></html>\r\n");
    std::mt19937 random(20240611);
    for (int i = 0; i < 150; ++i) {
        const Scheme original = RandomScheme(random);
        const bool tagsUpper = random() & 1, hexUpper = random() & 1;
        const std::string tag = BuildBodyTag(original, tagsUpper, hexUpper);
        SCOPED_TRACE(tag);
        // Each export stacks one more comment; the import must see only the new tag.
        ASSERT_EQ(ExportBodyTag(path.c_str(), tag, i % 50 == 49), ExportResult::Exported);

        // An image path that the file does not set stays as the scheme had it.
        Scheme imported = RandomScheme(random);
        if (!original.useback)
            imported.background.assign(original.background);
        ASSERT_EQ(ImportBodyTag(path.c_str(), imported), ImportResult::Imported);
        EXPECT_EQ(imported, original);
    }
}

} // namespace
