#include "help/HelpFile.h"
#include "help/HelpIds.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::optional<CHelpFile> Parse(const std::string& text)
{
    return CHelpFile::Parse(text);
}

const char* const kGood = "VELLORAN-AIDE 1\n"
                          "; comment\n"
                          "\n"
                          "[sommaire] Aide de Velloran\n"
                          "Bienvenue dans\n"
                          "   l'aide.  \n"
                          "\n"
                          "* {4200003|Astuces}\n"
                          "* {7|Sept} et la suite\n"
                          "  continue l'élément\n"
                          "Après la liste.\n"
                          "[4200003] Astuces\n"
                          "; not part of the text\n"
                          "Une astuce < deux & \"trois\" >.\n"
                          "\n"
                          "\n"
                          "Retour au {sommaire|sommaire}.\n"
                          "[7]\n"
                          "Sept.\n";

TEST(HelpFile, ReadsSectionsTitlesParagraphsItemsAndLinks)
{
    const auto file = Parse(kGood);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->GetTopics().size(), 3u);
    EXPECT_EQ(file->GetTopics()[0].id, kHelpContentsId);

    const HelpTopic& contents = file->GetContents();
    EXPECT_EQ(contents.title, "Aide de Velloran");
    ASSERT_EQ(contents.blocks.size(), 3u);
    EXPECT_FALSE(contents.blocks[0].listItem);
    ASSERT_EQ(contents.blocks[0].spans.size(), 1u);
    EXPECT_EQ(contents.blocks[0].spans[0].text, "Bienvenue dans l'aide.");
    EXPECT_TRUE(contents.blocks[1].listItem);
    ASSERT_EQ(contents.blocks[1].spans.size(), 1u);
    EXPECT_EQ(contents.blocks[1].spans[0].text, "Astuces");
    EXPECT_EQ(contents.blocks[1].spans[0].link, 4200003u);
    // A line that starts no item continues the item before it.
    EXPECT_TRUE(contents.blocks[2].listItem);
    ASSERT_EQ(contents.blocks[2].spans.size(), 2u);
    EXPECT_EQ(contents.blocks[2].spans[0].link, 7u);
    EXPECT_EQ(contents.blocks[2].spans[1].text, " et la suite continue l'élément Après la liste.");
    EXPECT_FALSE(contents.blocks[2].spans[1].link);

    const HelpTopic* tips = file->Find(4200003);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->title, "Astuces");
    EXPECT_EQ(tips->blocks.size(), 2u);
    const HelpTopic* seven = file->Find(7);
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(seven->title, "");
    EXPECT_EQ(file->Find(8), nullptr);
}

TEST(HelpFile, TakesCrLfLineEndsAByteOrderMarkAndTheLargestId)
{
    const auto file = Parse("\xEF\xBB\xBFVELLORAN-AIDE 1\r\n[sommaire]\r\nA\r\n\r\nB\r\n[4294967295] Z\r\nC");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->GetContents().blocks.size(), 2u);
    EXPECT_EQ(file->GetContents().blocks[0].spans[0].text, "A");
    ASSERT_NE(file->Find(4294967295u), nullptr);
    EXPECT_EQ(file->Find(4294967295u)->title, "Z");
}

TEST(HelpFile, RefusesMalformedFilesWhole)
{
    const std::string head = "VELLORAN-AIDE 1\n[sommaire]\nSommaire.\n";
    const struct
    {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no marker", "[sommaire]\nSommaire.\n"},
        {"another marker", "VELLORAN-AIDE 2\n[sommaire]\nSommaire.\n"},
        {"marker after a blank line", "\nVELLORAN-AIDE 1\n[sommaire]\nSommaire.\n"},
        {"text before the first heading", "VELLORAN-AIDE 1\nTexte.\n[sommaire]\nSommaire.\n"},
        {"no contents", "VELLORAN-AIDE 1\n[5]\nCinq.\n"},
        {"unclosed heading", head + "[5 Cinq\nCinq.\n"},
        {"empty key", head + "[]\nRien.\n"},
        {"key zero", head + "[0]\nZéro.\n"},
        {"key beyond 32 bits", head + "[4294967296]\nTrop.\n"},
        {"key with a sign", head + "[+5]\nCinq.\n"},
        {"key with a blank", head + "[ 5]\nCinq.\n"},
        {"key of letters", head + "[cinq]\nCinq.\n"},
        {"key twice", head + "[5]\nCinq.\n[5]\nEncore.\n"},
        {"contents twice", head + "[sommaire]\nEncore.\n"},
        {"section without text", head + "[5] Cinq\n\n; rien\n[6]\nSix.\n"},
        {"last section without text", head + "[5] Cinq\n"},
        {"unclosed link", head + "[5]\nVoir {sommaire|le sommaire.\n"},
        {"link without words", head + "[5]\nVoir {sommaire|  }.\n"},
        {"link without bar", head + "[5]\nVoir {sommaire}.\n"},
        {"link inside a link", head + "[5]\nVoir {sommaire|{5|x}}.\n"},
        {"link to a missing topic", head + "[5]\nVoir {6|six}.\n"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Parse(c.text)) << c.what;
    EXPECT_TRUE(Parse(head + "[5]\nVoir {sommaire|le sommaire} } seul.\n"));
}

TEST(HelpFile, FormatsPopupTextWithoutTitleOrMarkup)
{
    const auto file = Parse(kGood);
    ASSERT_TRUE(file);
    EXPECT_EQ(FormatHelpText(file->GetContents()),
              "Bienvenue dans l'aide.\n\n\xE2\x80\xA2 Astuces\n\xE2\x80\xA2 Sept et la suite continue l'élément "
              "Après la liste.");
    EXPECT_EQ(FormatHelpText(*file->Find(4200003)), "Une astuce < deux & \"trois\" >.\n\nRetour au sommaire.");
}

TEST(HelpFile, FormatsTopicPagesWithEscapedTextAndLinksThatLeadBack)
{
    const auto file = Parse(kGood);
    ASSERT_TRUE(file);
    EXPECT_EQ(FormatHelpHtml(file->GetContents()),
              "<html><body><h3>Aide de Velloran</h3><p>Bienvenue dans l'aide.</p><ul><li><a "
              "href=\"4200003\">Astuces</a></li><li><a href=\"7\">Sept</a> et la suite continue l'élément Après la "
              "liste.</li></ul></body></html>");
    EXPECT_EQ(FormatHelpHtml(*file->Find(4200003)),
              "<html><body><h3>Astuces</h3><p>Une astuce &lt; deux &amp; &quot;trois&quot; &gt;.</p><p>Retour au <a "
              "href=\"0\">sommaire</a>.</p></body></html>");
    EXPECT_EQ(FormatHelpHtml(*file->Find(7)), "<html><body><p>Sept.</p></body></html>");

    EXPECT_EQ(ParseHelpLink("0"), kHelpContentsId);
    EXPECT_EQ(ParseHelpLink("4200003"), 4200003u);
    for (const char* other : {"", "x", "12x", "-1", "4294967296", "http://example.org/", " 7"})
        EXPECT_FALSE(ParseHelpLink(other)) << other;
}

TEST(HelpFile, TheShippedFileExplainsEveryContextIdAndNothingElse)
{
    const auto file = CHelpFile::Read(VELLORAN_HELP_FILE_SOURCE);
    ASSERT_TRUE(file) << VELLORAN_HELP_FILE_SOURCE;
    std::set<uint32_t> expected = {kHelpContentsId, HIDT_TIPS};
    for (const ContextHelpEntry& entry : GetContextHelpTable())
        expected.insert(entry.helpId);
    std::set<uint32_t> present;
    for (const HelpTopic& topic : file->GetTopics()) {
        present.insert(topic.id);
        // A section (4200300) links to each of its topics (4200301...).
        std::set<uint32_t> linked;
        for (const HelpBlock& block : topic.blocks)
            for (const HelpSpan& span : block.spans)
                linked.insert(span.link.value_or(kHelpContentsId));
        for (const HelpTopic& sub : file->GetTopics()) {
            if (topic.id % 100 == 0 && topic.id != kHelpContentsId && sub.id / 100 == topic.id / 100 &&
                sub.id != topic.id) {
                EXPECT_TRUE(linked.contains(sub.id)) << topic.id << " -> " << sub.id;
            }
        }
        EXPECT_FALSE(FormatHelpText(topic).empty()) << topic.id;
        // Topics that open in a window name themselves there.
        if (topic.id % 100 == 0 || topic.id == HIDT_TIPS) {
            EXPECT_FALSE(topic.title.empty()) << topic.id;
        }
    }
    EXPECT_EQ(present, expected);
}

TEST(HelpFile, AMissingOrUnreadableFileIsRefused)
{
    EXPECT_FALSE(CHelpFile::Read("/nonexistent/velloran.hlp"));
    EXPECT_FALSE(CHelpFile::Read("/"));
}

} // namespace
