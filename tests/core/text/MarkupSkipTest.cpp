// The body-tag reader's fast path against a plain walk by the reader's rules:
// wherever it stops, the reader must stand there outside any tag, not past
// the first markup that it does not skip.
#include "text/MarkupSkip.h"
#include "model/Ascii.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t npos = std::string_view::npos;

// Past the '>' of the tag whose name starts at p, or npos when it is not closed.
size_t TagEnd(std::string_view t, size_t p)
{
    const auto is = [&](size_t i, std::string_view set) { return i < t.size() && set.find(t[i]) != npos; };
    while (p < t.size() && !is(p, " \t\n\f\r/>"))
        ++p;
    for (;;) {
        while (is(p, " \t\n\f\r/"))
            ++p;
        if (p >= t.size() || t[p] == '>')
            return p < t.size() ? p + 1 : npos;
        // An attribute: its name's first byte may be anything, even '=' or a quote.
        for (++p; p < t.size() && !is(p, " \t\n\f\r/>="); ++p) {
        }
        while (is(p, " \t\n\f\r"))
            ++p;
        if (!is(p, "="))
            continue;
        for (++p; is(p, " \t\n\f\r"); ++p) {
        }
        if (is(p, "\"'")) {
            p = t.find(t[p], p + 1);
            if (p == npos)
                return npos;
            ++p;
        }
        while (p < t.size() && !is(p, " \t\n\f\r>"))
            ++p;
    }
}

struct Walk
{
    std::vector<bool> outside; // positions where the reader stands outside any tag
    size_t stop;               // the first markup it does not skip, or where it cannot judge
};

Walk ReferenceWalk(std::string_view text)
{
    Walk walk{std::vector<bool>(text.size() + 1), 0};
    for (size_t p = 0;;) {
        const size_t lt = std::min(text.find('<', p), text.size());
        for (; p <= lt; ++p)
            walk.outside[p] = true;
        walk.stop = lt;
        if (lt + 2 >= text.size())
            return walk;
        const char first = text[lt + 1], second = text[lt + 2];
        if (IsAsciiAlpha(first) ? MayBeElement(first, second)
            : first == '/'      ? !IsAsciiAlpha(second)
                                : first == '!' || first == '?')
            return walk;
        p = IsAsciiAlpha(first) || first == '/' ? TagEnd(text, lt + 2) : lt + 1;
        if (p == npos)
            return walk;
    }
}

// From p with both vector widths, on an exact copy of text so that any read past its end is caught.
size_t Skip(std::string_view text, size_t p)
{
    const auto copy = std::make_unique<char[]>(text.size());
    text.copy(copy.get(), text.size());
    const std::string_view exact(copy.get(), text.size());
    const size_t q = SkipOrdinaryMarkup(exact, p);
    EXPECT_EQ(SkipOrdinaryMarkupBy16(exact, p), q) << "from " << p << " in\n" << text;
    return q;
}

TEST(MarkupSkip, StopsOnlyWhereTheReaderStandsOutsideTags)
{
    // clang-format off
    const std::vector<std::string> pieces = {
        "<a ", "<div ", "<P ", "<span", "</b", "</TD", "<br/", "<img\t", "<bdo\n", "<b", ">", ">", ">", " ", "\t",
        "\r", "\f", "\v", "/", "=", "=", "\"", "\"", "'", "'", "x", "Bordure", "l'image", "class", "href", "a=",
        " b=", " c='", " d=\"", "\"x\"", "='y'", " = ", "<", "< ", "<3", "<!-- x -->", "<!x>", "<?x>", "</ >",
        "<body>", "<bo", "<Title>", "<script", "<xmp>", "<TEMPLATE>", "<tr>", std::string(70, 'z'),
        std::string(40, ' '), std::string(50, '>')};
    // clang-format on
    std::mt19937 random(20261207);
    size_t walked = 0, skipped = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int count = std::uniform_int_distribution<int>(0, 80)(random); count > 0; --count)
            text += random() % 3 ? pieces[random() % pieces.size()] : "<p class=\"c\" id='i' x=y>Texte d'été</p>";
        text.resize(std::uniform_int_distribution<size_t>(0, text.size())(random)); // often mid-tag
        const Walk walk = ReferenceWalk(text);
        for (size_t p = 0; p <= walk.stop; p += 1 + random() % 16) {
            if (!walk.outside[p])
                continue;
            const size_t q = Skip(text, p);
            ASSERT_TRUE(q >= p && q <= walk.stop && walk.outside[q]) << "from " << p << " to " << q << " in\n" << text;
            walked += walk.stop - p;
            skipped += q - p;
        }
    }
    EXPECT_GT(skipped, walked / 4); // it must not leave most of the work to the reader
}

TEST(MarkupSkip, Rows)
{
    // $ is a value holding '>' across blocks: a quote taken wrongly ends its
    // tag elsewhere. | is where the fast path must stop; without one, it
    // must go past the tag.
    const std::string value = std::string(70, 'x') + ">" + std::string(70, 'y');
    // clang-format off
    for (const char* row : {
            "<a b=\"$\">", "<a b='$'>", "<a\tb=\"$\">", "</a b=\"$\">", "<a b=\"x\" c=\"$\">", "<a b=c d='$'>",
            "<a b\v=\"$\">", "<a\rb='$'>", "|<a b=\f\"$\">", "<a b=c'$'>", "<a b=\"x ='y\" c=\"$\">",
            "|<a b=\"x\"c=\"$\">", "|<a b = \"$\">", "|<a b= \"$\">", "|<a b =\"$\">", "|<a=\"$\">", "|<a b=c=\"$\">",
            "|<a \"x\"=\"$\">", "|<a b= c=\"$\">", "|<a b=x/c=\"$\">", "|<a b'c=\"$\">", "|<a <b=\"$\">",
            "|<a b  c=\"$\">", "|<a b=\"x c=\"><i d=\"$\">", "|<a b=\"x c='\"><i d='$'>",
            "<p>Un</p> < 3 <a href=x>l'\"été\"</a>|<!-- x -->", "<br>|<!DOCTYPE html>", "<br>|<?xml?>", "<br>|</ p>",
            "<br>|</3>", "<br>|<BoDy>", "<br>|<bo>", "<br>|<script>", "<br>|<Title>", "<br>|<tEmplate>",
            "<br>|<iframe>", "<br>|<xmp>", "<br>|<noscript>"}) {
        // clang-format on
        std::string text = row;
        const size_t stop = text.find('|'), at = text.find('$');
        if (stop != npos)
            text.erase(stop, 1);
        if (at != npos)
            text.replace(at - (stop < at), 1, value);
        text += "<i>" + std::string(140, '.') + "</i>";
        SCOPED_TRACE(text);
        // Whole, and cut inside the value.
        for (const std::string_view piece : {std::string_view(text), std::string_view(text).substr(0, at + 100)}) {
            const Walk walk = ReferenceWalk(piece);
            const size_t q = Skip(piece, 0);
            EXPECT_TRUE(q <= walk.stop && walk.outside[q]) << q;
        }
        const size_t q = Skip(text, 0);
        EXPECT_TRUE(stop == npos ? q > at + value.size() : q == stop) << q;
    }
}

} // namespace
