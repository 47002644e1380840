#include "res/Strings.h"
#include "ResourceHeader.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

// True when text is well-formed UTF-8 (no stray Latin-1 bytes, no overlong or
// truncated sequences).
bool IsUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x06 ? 2
                        : (lead >> 4) == 0x0E ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
        if (length == 0 || lead == 0xC0 || lead == 0xC1 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

TEST(StringTable, EveryDeclaredStringIdHasWellFormedText)
{
    const auto ids = ReadDeclaredIds("IDS_");
    ASSERT_GE(ids.size(), 27u) << "the string ids were not found in the header";
    for (const auto& [name, value] : ids) {
        const std::string_view text = LoadResString(value);
        EXPECT_FALSE(text.empty()) << name << " (" << value << ")";
        EXPECT_TRUE(IsUtf8(text)) << name << " (" << value << ")";
    }
}

TEST(StringTable, UnknownIdGivesEmptyText)
{
    for (int id : {0, -1, 1, 102, 104, 114, 121, 139, 199, 32771, 1 << 30}) {
        const char* text = LoadResString(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_STREQ(text, "") << id;
    }
}

struct ExactText
{
    int id;
    const char* text; // accents spelled as UTF-8 bytes
};

TEST(StringTable, TextsAreKeptByteForByte)
{
    const ExactText cases[] = {
        {IDS_VERSION, "v2.0"},
        {IDS_CAPTION, "Velloran v2.0"},
        {IDS_PREVIEW_LINK, "Ceci est un lien 'normal'."},
        {IDS_PREVIEW_VLINK, "Ceci est un lien visit\xC3\xA9."},
        {IDS_PREVIEW_ALINK, "Ceci est un lien actif"},
        {IDS_PREVIEW_BOTTOM, "Pour une explication de la diff\xC3\xA9rence dans ceux-ci, voir la page des liens en "
                             "cliquant sur le l'onglet \xC3\xA0 gauche."},
        {IDS_PALETTE_NEEDS_COLOUR_TAB, "Avant d'enregistrer une palette, vous devez changer d'onglet (ex. bgcolor) et "
                                       "enregistrer la palette d\xC3\xA9sir\xC3\xA9"
                                       "e pour la sauvegarder."},
        {IDS_INFO_MARGINS, "Microsoft Internet Explorer utilise des marges par defaut, si vous changez celles-ci, "
                           "verifiez le r\xC3\xA9sultat avant de poster le fichier sur Internet !."},
        {IDS_HELP_OPEN_FAILED, "Echec de l'ouverture du fichier d'aide."},
        {IDS_FILTER_HTML, "HTML Files (*.html;*.htm)|*.html; *.htm|All Files (*.*)|*.*||"},
        {IDS_FILTER_PALETTE, "Palette Files (*.zvpal)|*.zvpal|GIMP Palette (*.gpl)|*.gpl|All Files (*.*)|*.*||"},
        {IDS_FILTER_IMAGE, "Image Files (*.gif;*.jpg;*.png)|*.gif; *.jpg; *.png|All Files (*.*)|*.*||"},
        {IDS_TAB_BGCOLOR, "bgcolor"},
        {IDS_TAB_TEXT, "text"},
        {IDS_TAB_LINKS, "links"},
        {IDS_TAB_BACKGROUND, "background"},
        {IDS_TAB_MARGINS, "margins"},
        {IDS_ABOUT_EMAIL, "velloran@example.org"},
        {IDS_ABOUT_HOMEPAGE, "https://velloran.example.org/"},
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ(std::string_view(LoadResString(id)), std::string_view(text)) << id;
}

struct TextPiece
{
    int id;
    const char* begins;
    const char* contains;
    const char* ends;
};

TEST(StringTable, LongTextsKeepTheirOddities)
{
    const TextPiece cases[] = {
        {IDS_INFO_BGCOLOR,
         "L'atribut bgcolor d\xC3\xA9"
         "fini la couleur d'arriere plan",
         "utilisez une !), cela", "lors du chargement de l'image."},
        {IDS_INFO_TEXT,
         "L'attribut 'TEXT' d\xC3\xA9"
         "fini",
         "mise en forme,le texte", "(H1, H2...) dans le document.."},
        {IDS_INFO_LINKS, "L'attribut 'vlink' (visited link) defini la couleur des liens dej\xC3\xA0 visit\xC3\xA9s.",
         "des liensactifs, ceux-ci", "liens dit  'normaux' ."},
        {IDS_PREVIEW_TOP, "Voici un example de texte", "*peut apparaitre*", "est plus significatif.)"},
        {IDS_INFO_BACKGROUND, "Quelques conseils de Corvane : Choisissez", "ne d\xC3\xA9passent pas 15 KO",
         "la fin de l'affichage !."},
        {IDS_MARGINS_SAMPLE, "Je ne saurai que trop", "cell-ci risquent d'\xC3\xAAtre diff\xC3\xA9rente",
         "'Internet Explorer, Netscape, Opera ....."},
    };
    for (const auto& [id, begins, contains, ends] : cases) {
        const std::string_view text = LoadResString(id);
        EXPECT_TRUE(text.starts_with(begins)) << id << ": " << text;
        EXPECT_NE(text.find(contains), std::string_view::npos) << id << ": " << text;
        EXPECT_TRUE(text.ends_with(ends)) << id << ": " << text;
    }
}

TEST(StringTable, AboutParagraphNamesTheTeamAndEndsWithTheHomePage)
{
    const std::string_view paragraph = LoadResString(IDS_ABOUT_PARAGRAPH);
    EXPECT_NE(paragraph.find("l'\xC3\xA9quipe Velloran"), std::string_view::npos) << paragraph;
    EXPECT_TRUE(paragraph.ends_with(LoadResString(IDS_ABOUT_HOMEPAGE))) << paragraph;
}

} // namespace
