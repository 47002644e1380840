// Find and Replace against a plain reference on std::string that folds whole
// copies of text and pattern, over random texts with a fixed seed.
#include "Printers.h"
#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

std::string Folded(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return s;
}

int32_t ReferenceFind(const std::string& text, const std::string& pattern, uint32_t start, bool ignoreCase)
{
    if (pattern.empty() || start > text.size())
        return -1;
    const size_t q = ignoreCase ? Folded(text).find(Folded(pattern), start) : text.find(pattern, start);
    return q == std::string::npos ? -1 : static_cast<int32_t>(q);
}

// Whole-word neighbours are judged in the searched (possibly folded) copy.
uint32_t ReferenceReplace(std::string& text, const std::string& pattern, const std::string& replacement, char mode,
                          const std::string& startSet, const std::string& endSet)
{
    const bool fold = mode == 'I' || mode == 'M';
    const bool words = mode == 'X' || mode == 'M';
    const std::string hay = fold ? Folded(text) : text;
    const std::string needle = fold ? Folded(pattern) : pattern;
    if (needle.empty())
        return 0;
    std::string result;
    size_t from = 0;
    uint32_t count = 0;
    for (size_t s = 0; s < hay.size();) {
        const size_t q = hay.find(needle, s);
        if (q == std::string::npos)
            break;
        const size_t end = q + needle.size();
        const bool counts = !words || ((q == 0 || startSet.find(hay[q - 1]) != std::string::npos) &&
                                       (end == hay.size() || endSet.find(hay[end]) != std::string::npos));
        if (counts) {
            result += text.substr(from, q - from) + replacement;
            from = end;
            ++count;
        }
        s = end;
    }
    text = result + text.substr(from);
    return count;
}

class Random
{
public:
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(engine); }

    // Few distinct bytes so that patterns recur, with both cases, high bytes,
    // line ends, blanks and NUL.
    std::string Text(size_t maxLength, bool withNul)
    {
        static const char alphabet[] = "aAbB<> \r\n\xC9\xE9\xFF\x80z";
        std::string s(Below(maxLength + 1), 'a');
        for (char& c : s)
            c = withNul && Below(12) == 0 ? '\0' : alphabet[Below(sizeof alphabet - 1)];
        return s;
    }

    // A piece of the text (often its start or its end) or a fresh string; never holds NUL.
    std::string Pattern(const std::string& text)
    {
        std::string p;
        const size_t kind = Below(4);
        if (kind == 3 || text.empty()) {
            p = Text(4, false);
        } else {
            const size_t n = 1 + Below(std::min<size_t>(text.size(), 6));
            const size_t at = kind == 0 ? 0 : kind == 1 ? text.size() - n : Below(text.size() - n + 1);
            p = text.substr(at, n);
        }
        for (char& c : p)
            if (c == '\0')
                c = 'a';
        if (Below(3) == 0)
            for (char& c : p)
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 32);
        return p;
    }

    std::mt19937 engine{20240611};
};

} // namespace

TEST(TextBufferDifferential, FindMatchesTheReference)
{
    Random random;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = random.Text(round % 10 == 0 ? 400 : 40, true);
        const CTextBuffer b(text.data(), static_cast<uint32_t>(text.size()));
        for (int k = 0; k < 6; ++k) {
            const std::string pattern = random.Pattern(text);
            const auto start = static_cast<uint32_t>(random.Below(text.size() + 3));
            for (const bool ignoreCase : {false, true})
                ASSERT_EQ(b.Find(pattern.c_str(), start, ignoreCase), ReferenceFind(text, pattern, start, ignoreCase))
                    << ::testing::PrintToString(b) << " / " << ::testing::PrintToString(CTextBuffer(pattern.c_str()))
                    << " from " << start << (ignoreCase ? " ignoring case" : "");
        }
    }
}

// Long texts with an occurrence planted near every seam of the search's
// stretches (the first few hundred bytes, then pairs of 4 KiB), and near the end.
TEST(TextBufferDifferential, FindInLongTextsMatchesTheReference)
{
    Random random;
    std::string base(3 * 8192 + 700, ' ');
    for (char& c : base)
        c = "<bodyBODY x\r\n"[random.Below(13)];
    const size_t seams[] = {0, 256, 256 + 4096, 256 + 8192, 256 + 2 * 8192, base.size()};
    for (const uint32_t start : {0u, 101u}) {
        for (const size_t seam : seams) {
            for (size_t delta = 0; delta < 16; ++delta) {
                const size_t at = std::min(start + (seam > 8 ? seam - 8 + delta : delta), base.size() - 6);
                std::string text = base;
                text.replace(at, 6, "<bOdy>");
                if (at + 6 + 3000 <= text.size()) // a later one that must not win
                    text.replace(at + 3000, 6, "<BODY>");
                const CTextBuffer b(text.data(), static_cast<uint32_t>(text.size()));
                for (const char* pattern : {"<body>", "<bOdy>", "dy>", "y"})
                    for (const bool ignoreCase : {false, true})
                        ASSERT_EQ(b.Find(pattern, start, ignoreCase), ReferenceFind(text, pattern, start, ignoreCase))
                            << pattern << " at " << at << " from " << start << (ignoreCase ? " ignoring case" : "");
            }
        }
    }
}

TEST(TextBufferDifferential, ReplaceMatchesTheReference)
{
    Random random;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = random.Text(round % 10 == 0 ? 400 : 40, true);
        const std::string pattern = random.Pattern(text);
        const std::string replacement = random.Text(5, false);
        const bool withSets = random.Below(4) != 0;
        const std::string startSet = withSets ? random.Text(4, false) : "";
        const std::string endSet = withSets ? random.Text(4, false) : "";
        for (const char mode : {'S', 'I', 'X', 'M'}) {
            CTextBuffer b(text.data(), static_cast<uint32_t>(text.size()));
            if (withSets) {
                ASSERT_TRUE(b.SetWordStartChars(startSet.c_str()));
                ASSERT_TRUE(b.SetWordEndChars(endSet.c_str()));
            }
            std::string expected = text;
            const uint32_t count = ReferenceReplace(expected, pattern, replacement, mode, startSet, endSet);
            ASSERT_EQ(b.Replace(pattern.c_str(), replacement.c_str(), mode), count)
                << ::testing::PrintToString(CTextBuffer(text.data(), static_cast<uint32_t>(text.size()))) << " / "
                << pattern << " mode " << mode;
            ASSERT_EQ(b.View(), expected);
        }
    }
}
