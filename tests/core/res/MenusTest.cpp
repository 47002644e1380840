#include "ResourceHeader.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

#include <gtest/gtest.h>

#include <map>
#include <string_view>
#include <vector>

namespace {

struct ItemExpectation
{
    const char* menu;
    int id;
    const char* label;
    bool checkable;
    bool checked;
};

// Labels as UTF-8, doubled blanks and spelling as the program shows them.
constexpr ItemExpectation kMainItems[] = {
    {"&Fichiers", ID_FILE_IMPORT, "&Importer d'un fichier HTML", false, false},
    {"&Fichiers", ID_FILE_EXPORT, "&Exporter d'un fichier HTML", false, false},
    {"&Fichiers", ID_FILE_COPY_CSS, "Copier le code &CSS\tCtrl+Alt+C", false, false},
    {"&Fichiers", ID_FILE_LOAD_DEFAULT, "&Charger par defaut", false, false},
    {"&Fichiers", ID_FILE_SAVE_DEFAULT, "&Sauver comme defaut", false, false},
    {"&Fichiers", ID_FILE_QUIT, "&Quitter", false, false},
    {"O&ptions", ID_OPTION_TAGS_UPPER, "&Tags en majuscules", true, false},
    {"O&ptions", ID_OPTION_HEX_UPPER, "&Hex en majuscules", true, true},
    {"O&ptions", ID_OPTION_INPUT_HEX, "&Valeurs RGB ou Hex", true, false},
    {"O&ptions", ID_OPTION_CSS_STYLE, "Style CSS dans la balise", true, false},
    {"O&ptions", ID_PALETTE_LOAD, "Charger &la Palette de couleur", false, false},
    {"O&ptions", ID_PALETTE_SAVE, "&Sauver la Palette de couleur", false, false},
    {"O&ptions", ID_PALETTE_LOAD_DEFAULT, "Charger la  &Palette par defaut", false, false},
    {"O&ptions", ID_PALETTE_SAVE_DEFAULT, "Sauver comme  Palette par &Default", false, false},
    {"&Aide", ID_HELP_FINDER, "&Astuces au d\xC3\xA9marage", false, false},
    {"&Aide", ID_HELP_TIPS, "&Astuces", false, false},
    {"&Aide", ID_HELP_ABOUT, "&Apropos de Velloran", false, false},
};

TEST(MainMenu, HasTheThreeMenusInOrder)
{
    const auto menus = FindMenuTemplate(IDR_MENU_MAIN);
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_STREQ(menus[0].title, "&Fichiers");
    EXPECT_STREQ(menus[1].title, "O&ptions");
    EXPECT_STREQ(menus[2].title, "&Aide");
}

TEST(MainMenu, ItemsComeInOrderWithTheirLabelsAndCheckMarks)
{
    std::vector<ItemExpectation> actual;
    for (const MenuTemplate& menu : FindMenuTemplate(IDR_MENU_MAIN))
        for (const MenuItemTemplate& item : menu.items)
            if (item.id != 0)
                actual.push_back({menu.title, item.id, item.label, item.checkable, item.checked});
    ASSERT_EQ(actual.size(), std::size(kMainItems));
    for (size_t i = 0; i < actual.size(); ++i) {
        const auto& e = kMainItems[i];
        const auto& a = actual[i];
        EXPECT_STREQ(a.menu, e.menu) << e.id;
        EXPECT_EQ(a.id, e.id) << "item " << i;
        EXPECT_EQ(std::string_view(a.label), std::string_view(e.label)) << e.id;
        EXPECT_EQ(a.checkable, e.checkable) << e.id;
        EXPECT_EQ(a.checked, e.checked) << e.id;
    }
}

TEST(MainMenu, HoldsEveryCommandOfTheHeaderExactlyOnce)
{
    std::map<int, int> count;
    for (const MenuTemplate& menu : FindMenuTemplate(IDR_MENU_MAIN))
        for (const MenuItemTemplate& item : menu.items)
            ++count[item.id];
    const auto commands = ReadDeclaredIds("ID_");
    ASSERT_GE(commands.size(), 16u) << "the command ids were not found in the header";
    for (const auto& [name, value] : commands) {
        const int expected = value == ID_CONTEXT_EXPLAIN ? 0 : 1;
        EXPECT_EQ(count[value], expected) << name;
    }
}

TEST(MainMenu, SeparatorsOnlyBetweenItems)
{
    for (const MenuTemplate& menu : FindMenuTemplate(IDR_MENU_MAIN)) {
        const auto items = menu.items;
        ASSERT_FALSE(items.empty()) << menu.title;
        EXPECT_NE(items.front().id, 0) << menu.title;
        EXPECT_NE(items.back().id, 0) << menu.title;
        for (size_t i = 1; i < items.size(); ++i)
            EXPECT_FALSE(items[i - 1].id == 0 && items[i].id == 0) << menu.title << " item " << i;
        for (const MenuItemTemplate& item : items) {
            if (item.id == 0) {
                EXPECT_FALSE(item.checkable || item.checked) << menu.title;
            }
        }
    }
}

TEST(ContextMenu, IsOnePopupWithTheExplainItem)
{
    const auto menus = FindMenuTemplate(IDR_MENU_CONTEXT);
    ASSERT_EQ(menus.size(), 1u);
    ASSERT_EQ(menus[0].items.size(), 1u);
    const MenuItemTemplate& item = menus[0].items[0];
    EXPECT_EQ(item.id, ID_CONTEXT_EXPLAIN);
    EXPECT_STREQ(item.label, "&Explications?");
    EXPECT_FALSE(item.checkable);
    EXPECT_FALSE(item.checked);
}

TEST(Menus, UnknownIdHasNoMenu)
{
    for (int id : {0, -1, IDD_BODYTAG_DIALOG, IDR_MAINFRAME, 132, 137})
        EXPECT_TRUE(FindMenuTemplate(id).empty()) << id;
}

} // namespace
