#include "ResourceHeader.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string_view>

namespace {

TEST(MainMenu, HasTheThreeMenusInOrder)
{
    const auto menus = FindMenuTemplate(IDR_MENU_MAIN);
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_STREQ(menus[0].title, "&Fichiers");
    EXPECT_STREQ(menus[1].title, "O&ptions");
    EXPECT_STREQ(menus[2].title, "&Aide");
}

// Every title and label has one mnemonic; only the three options carry a
// check mark, and upper-case hex digits start checked.
TEST(MainMenu, LabelsHaveOneMnemonicAndOnlyOptionsCheck)
{
    auto mnemonics = [](std::string_view text) { return std::count(text.begin(), text.end(), '&'); };
    for (const MenuTemplate& menu : FindMenuTemplate(IDR_MENU_MAIN)) {
        EXPECT_EQ(mnemonics(menu.title), 1) << menu.title;
        for (const MenuItemTemplate& item : menu.items) {
            if (item.id == 0)
                continue;
            const bool option = item.id == ID_OPTION_TAGS_UPPER || item.id == ID_OPTION_HEX_UPPER ||
                                item.id == ID_OPTION_INPUT_HEX || item.id == ID_OPTION_CSS_STYLE;
            EXPECT_EQ(mnemonics(item.label), 1) << item.label;
            EXPECT_EQ(item.checkable, option) << item.label;
            EXPECT_EQ(item.checked, item.id == ID_OPTION_HEX_UPPER) << item.label;
        }
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
