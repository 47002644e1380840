// The body-tag reader's fast path against a plain walk by the tokenizer's
// states: wherever it stops, the reader must stand there outside any tag,
// not past the first markup that it does not skip.
#include "text/MarkupSkip.h"
#include "model/Ascii.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Walk
{
    std::vector<bool> outside; // positions where the reader stands outside any tag
    size_t stop;               // the first markup it does not skip, or where it cannot judge any more
};

// Past the '>' of the tag whose name starts at p, or npos when it is not closed.
size_t TagEnd(std::string_view text, size_t p)
{
    enum
    {
        Name,
        BeforeAttribute,
        AttributeName,
        AfterName,
        BeforeValue,
        Unquoted,
        Quoted
    } state = Name;
    char quote = 0;
    for (; p < text.size(); ++p) {
        const char c = text[p];
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
        if (state == Quoted) {
            state = c == quote ? BeforeAttribute : Quoted;
            continue;
        }
        if (c == '>')
            return p + 1;
        if (state == BeforeValue && (c == '"' || c == '\'')) {
            state = Quoted;
            quote = c;
        } else if (state == Name || state == Unquoted) {
            state = blank || (c == '/' && state == Name) ? BeforeAttribute : state;
        } else if (state == AttributeName) {
            state = blank ? AfterName : c == '/' ? BeforeAttribute : c == '=' ? BeforeValue : AttributeName;
        } else if (state == AfterName && c == '=') {
            state = BeforeValue;
        } else if (state == BeforeValue) {
            state = blank ? BeforeValue : Unquoted;
        } else if (!blank && c != '/') {
            state = AttributeName; // the first byte of a name may be anything, even '=' or a quote
        } else if (c == '/') {
            state = BeforeAttribute;
        }
    }
    return std::string_view::npos;
}

Walk ReferenceWalk(std::string_view text)
{
    Walk walk{std::vector<bool>(text.size() + 1), text.size()};
    for (size_t p = 0;;) {
        const size_t lt = std::min(text.find('<', p), text.size());
        for (; p <= lt; ++p)
            walk.outside[p] = true;
        if (lt + 2 >= text.size()) {
            walk.stop = lt;
            return walk;
        }
        const char first = text[lt + 1], second = text[lt + 2];
        const bool tag = IsAsciiAlpha(first) ? !MayBeElement(first, second) : first == '/' && IsAsciiAlpha(second);
        if (!tag && (IsAsciiAlpha(first) || first == '/' || first == '!' || first == '?')) {
            walk.stop = lt;
            return walk;
        }
        p = tag ? TagEnd(text, lt + 2) : lt + 1;
        if (p == std::string_view::npos) {
            walk.stop = lt;
            return walk;
        }
    }
}

// Runs the fast path from p, with both vector widths, on an exact copy of
// text so that any read past its end is caught.
size_t Skip(std::string_view text, size_t p)
{
    const auto copy = std::make_unique<char[]>(text.size());
    text.copy(copy.get(), text.size());
    const std::string_view exact(copy.get(), text.size());
    const size_t q = SkipOrdinaryMarkup(exact, p);
    EXPECT_EQ(SkipOrdinaryMarkupBy16(exact, p), q) << "from " << p << " in\n" << text;
    return q;
}

std::string RandomMarkup(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {"<a ",
                                                    "<div ",
                                                    "<P ",
                                                    "<span",
                                                    "</b",
                                                    "</TD",
                                                    "<br/",
                                                    "<img\t",
                                                    "<bdo\n",
                                                    "<b",
                                                    ">",
                                                    ">",
                                                    ">",
                                                    " ",
                                                    "\t",
                                                    "\r\n",
                                                    "\f",
                                                    "\v",
                                                    "/",
                                                    "=",
                                                    "=",
                                                    "\"",
                                                    "\"",
                                                    "'",
                                                    "'",
                                                    "x",
                                                    "Bordure",
                                                    "l'image",
                                                    "class",
                                                    "href",
                                                    "a=",
                                                    " b=",
                                                    " c='",
                                                    " d=\"",
                                                    "\"x\"",
                                                    "='y'",
                                                    " = ",
                                                    "<",
                                                    "< ",
                                                    "<3",
                                                    "<!-- x -->",
                                                    "<!x>",
                                                    "<?x>",
                                                    "</ >",
                                                    "<body>",
                                                    "<bo",
                                                    "<Title>",
                                                    "<script",
                                                    "<xmp>",
                                                    "<TEMPLATE>",
                                                    "<tr>",
                                                    std::string(70, 'z'),
                                                    std::string(40, ' '),
                                                    std::string(50, '>')};
    std::string text;
    for (int count = std::uniform_int_distribution<int>(0, 80)(random); count > 0; --count) {
        // Most of a page is ordinary tags: weight them, so that walks get far.
        if (random() % 3 == 0)
            text += "<p class=\"c\" id='i' data-x=y>Texte d'été</p>";
        else
            text += pieces[random() % pieces.size()];
    }
    return text;
}

TEST(MarkupSkip, StopsOnlyWhereTheReaderStandsOutsideTags)
{
    std::mt19937 random(20261207);
    size_t walked = 0, skipped = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = RandomMarkup(random);
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
    // Most of the way, it must not leave the work to the reader.
    EXPECT_GT(skipped, walked / 4);
}

TEST(MarkupSkip, AttributeQuotes)
{
    // A value holding '>' across blocks: a quote taken wrongly ends the tag elsewhere.
    const std::string value = std::string(70, 'x') + ">" + std::string(70, 'y');
    const std::string filler = "<i>" + std::string(140, '.') + "</i>";
    struct
    {
        const char* tag; // $ stands for the value
        bool skipped;    // or left to the reader
    } rows[] = {
        {"<a b=\"$\">", true},
        {"<a b='$'>", true},
        {"<a\tb=\"$\">", true},
        {"</a b=\"$\">", true},
        {"<a b=\"x\" c=\"$\">", true},
        {"<a b=c d='$'>", true},
        {"<a b\v=\"$\">", true},
        {"<a b=c'$'>", true},
        {"<a b=\"x ='y\" c=\"$\">", true},
        {"<a b=\"x\"c=\"$\">", false},
        {"<a b = \"$\">", false},
        {"<a b= \"$\">", false},
        {"<a b =\"$\">", false},
        {"<a=\"$\">", false},
        {"<a b=c=\"$\">", false},
        {"<a \"x\"=\"$\">", false},
        {"<a b= c=\"$\">", false},
        {"<a b=x/c=\"$\">", false},
        {"<a b'c=\"$\">", false},
        {"<a <b=\"$\">", false},
        {"<a b  c=\"$\">", false},
        {"<a b=\"x c=\"><i d=\"$\">", false},
        {"<a b=\"x c='\"><i d='$'>", false},
    };
    for (const auto& row : rows) {
        std::string text = row.tag;
        const size_t at = text.find('$');
        text.replace(at, 1, value);
        text += filler;
        SCOPED_TRACE(text);
        // Whole, and cut inside the value.
        for (const std::string_view piece : {std::string_view(text), std::string_view(text).substr(0, at + 100)}) {
            const Walk walk = ReferenceWalk(piece);
            const size_t q = Skip(piece, 0);
            EXPECT_TRUE(q <= walk.stop && walk.outside[q]) << q;
        }
        EXPECT_EQ(Skip(text, 0) > 0, row.skipped);
    }
}

TEST(MarkupSkip, StopsAtTheMarkupTheReaderReads)
{
    const std::string before = "<p>Un</p> < 3 <a href=x>l'\"été\"</a><br/>";
    for (const char* markup : {"<!-- x -->", "<!DOCTYPE html>", "<?xml?>", "</ p>", "</3>", "<body>", "<BoDy>", "<bo>",
                               "<script>", "<Title>", "<tEmplate>", "<iframe>", "<xmp>", "<noscript>"}) {
        SCOPED_TRACE(markup);
        const std::string text = before + markup + std::string(200, '.');
        EXPECT_EQ(Skip(text, 0), before.size());
        EXPECT_EQ(Skip(text, 3), before.size());
    }
}

} // namespace
