#include "res/Templates.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

struct DialogExpectation
{
    int id;
    const char* caption;
    int w, h;
    size_t controls;
};

constexpr DialogExpectation kDialogs[] = {
    {IDD_ABOUTBOX, "About Velloran", 224, 168, 10},
    {IDD_BODYTAG_DIALOG, "Velloran v2.0", 414, 220, 7},
    {IDD_PAGE_COLOUR, "", 227, 183, 20},
    {IDD_PAGE_BACKGROUND, "", 224, 183, 6},
    {IDD_PAGE_MARGINS, "", 224, 183, 11},
    {IDD_SCREEN_PICKER, "Piqueur de couleur !", 149, 75, 2},
};

const DialogTemplate& Dialog(int id)
{
    const DialogTemplate* dialog = FindDialogTemplate(id);
    if (dialog == nullptr)
        throw std::runtime_error("no template " + std::to_string(id));
    return *dialog;
}

const ControlTemplate& Control(int dialogId, int controlId)
{
    if (const ControlTemplate* control = FindControlTemplate(Dialog(dialogId), controlId))
        return *control;
    throw std::runtime_error("no control " + std::to_string(controlId) + " in " + std::to_string(dialogId));
}

TEST(DialogTemplates, EveryTemplateHasItsSizeAndCaption)
{
    for (const auto& expected : kDialogs) {
        const DialogTemplate* dialog = FindDialogTemplate(expected.id);
        ASSERT_NE(dialog, nullptr) << expected.id;
        EXPECT_EQ(dialog->id, expected.id);
        EXPECT_STREQ(dialog->caption, expected.caption) << expected.id;
        EXPECT_EQ(dialog->w, expected.w) << expected.id;
        EXPECT_EQ(dialog->h, expected.h) << expected.id;
        EXPECT_EQ(dialog->controls.size(), expected.controls) << expected.id;
    }
}

TEST(DialogTemplates, MainCaptionIsTheCaptionString)
{
    EXPECT_STREQ(Dialog(IDD_BODYTAG_DIALOG).caption, LoadResString(IDS_CAPTION));
}

TEST(DialogTemplates, UnknownIdHasNoTemplate)
{
    for (int id : {0, -1, 101, IDR_MENU_MAIN, IDR_MAINFRAME, IDR_MENU_CONTEXT, 135})
        EXPECT_EQ(FindDialogTemplate(id), nullptr) << id;
}

TEST(DialogTemplates, ControlIdsAreUniqueWithinATemplate)
{
    for (const auto& expected : kDialogs) {
        std::set<int> seen;
        for (const ControlTemplate& control : Dialog(expected.id).controls) {
            if (control.id != -1) {
                EXPECT_TRUE(seen.insert(control.id).second) << control.id << " twice in " << expected.id;
            }
        }
    }
}

TEST(DialogTemplates, EveryControlLiesInsideItsDialog)
{
    for (const auto& expected : kDialogs) {
        const DialogTemplate& dialog = Dialog(expected.id);
        for (const ControlTemplate& c : dialog.controls) {
            EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.w > 0 && c.h > 0 && c.x + c.w <= dialog.w && c.y + c.h <= dialog.h)
                << "control " << c.id << " (" << c.x << ", " << c.y << ", " << c.w << ", " << c.h << ") in "
                << dialog.id << " (" << dialog.w << " x " << dialog.h << ")";
        }
    }
}

// An up-down control takes the edit box right before it as its buddy.
TEST(DialogTemplates, EveryUpDownFollowsItsEditBox)
{
    int upDowns = 0;
    for (const auto& expected : kDialogs) {
        const auto controls = Dialog(expected.id).controls;
        for (size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].kind != ControlKind::UpDown)
                continue;
            ++upDowns;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(controls[i - 1].kind, ControlKind::Edit) << controls[i].id;
            EXPECT_EQ(controls[i - 1].id + 1, controls[i].id) << "buddy of " << controls[i].id;
        }
    }
    EXPECT_EQ(upDowns, 5);
}

// A label's mnemonic moves the focus to the control after it in tab order.
TEST(DialogTemplates, EveryMnemonicLabelIsFollowedByTheBoxItNames)
{
    struct Label
    {
        int dialog, label, box;
    };
    const Label labels[] = {
        {IDD_BODYTAG_DIALOG, IDC_BODY_CODE_LABEL, IDC_BODY_CODE},
        {IDD_PAGE_COLOUR, IDC_RED_LABEL, IDC_RED},
        {IDD_PAGE_COLOUR, IDC_GREEN_LABEL, IDC_GREEN},
        {IDD_PAGE_COLOUR, IDC_BLUE_LABEL, IDC_BLUE},
        {IDD_PAGE_COLOUR, IDC_HEX_LABEL, IDC_HEX},
        {IDD_PAGE_BACKGROUND, IDC_IMAGE_LABEL, IDC_IMAGE_PATH},
        {IDD_PAGE_MARGINS, IDC_SIDE_LABEL, IDC_SIDE_VALUE},
        {IDD_PAGE_MARGINS, IDC_TOP_LABEL, IDC_TOP_VALUE},
    };
    size_t checked = 0;
    for (const auto& expected : kDialogs) {
        const auto controls = Dialog(expected.id).controls;
        for (size_t i = 0; i < controls.size(); ++i) {
            const ControlTemplate& c = controls[i];
            if (c.kind != ControlKind::Static || (c.style & kNoPrefix) ||
                std::string_view(c.text).find('&') == std::string_view::npos)
                continue;
            ++checked;
            bool listed = false;
            for (const Label& l : labels)
                if (l.dialog == expected.id && l.label == c.id) {
                    listed = true;
                    ASSERT_LT(i + 1, controls.size());
                    EXPECT_EQ(controls[i + 1].id, l.box) << "after label " << c.text;
                }
            EXPECT_TRUE(listed) << "unexpected mnemonic label " << c.text;
        }
    }
    EXPECT_EQ(checked, std::size(labels));
}

struct ControlExpectation
{
    int dialog;
    int id;
    ControlKind kind;
    const char* text;
    uint32_t style;  // bits that must be set
    uint32_t absent; // bits that must be clear
};

TEST(DialogTemplates, ControlsCarryTheirKindTextAndStyle)
{
    using enum ControlKind;
    const ControlExpectation cases[] = {
        {IDD_ABOUTBOX, IDC_ABOUT_OK, DefButton, "OK", kGroup | kTabStop, kStyleNone},
        {IDD_ABOUTBOX, IDC_ABOUT_TITLE, Static, "Velloran", kNoPrefix, kTabStop},
        {IDD_ABOUTBOX, IDC_EMAIL, Edit, "", kReadOnly | kBorder | kTabStop | kAutoHScroll, kMultiLine},
        {IDD_BODYTAG_DIALOG, IDC_TABS, Tab, "", kTabStop, kStyleNone},
        {IDD_BODYTAG_DIALOG, IDC_PAGE_FRAME, Frame, "", kHidden, kTabStop},
        {IDD_BODYTAG_DIALOG, IDC_BODY_CODE, Edit, "",
         kMultiLine | kReadOnly | kAutoHScroll | kHScroll | kBorder | kTabStop, kDigitsOnly},
        {IDD_BODYTAG_DIALOG, IDC_COPY_CODE, Button, "&Copier le code", kTabStop, kStyleNone},
        {IDD_PAGE_COLOUR, IDC_LINK, RadioPush, "&Lien", kGroup | kTabStop, kDisabled},
        {IDD_PAGE_COLOUR, IDC_VLINK, RadioPush, " &Visit\xC3\xA9", kStyleNone, kGroup},
        {IDD_PAGE_COLOUR, IDC_RED, Edit, "", kDigitsOnly | kAutoHScroll | kTabStop, kReadOnly},
        {IDD_PAGE_COLOUR, IDC_HEX, Edit, "", kReadOnly, kDigitsOnly},
        {IDD_PAGE_COLOUR, IDC_DEFAULT, CheckBox, "&Defaut", kTabStop, kStyleNone},
        {IDD_PAGE_COLOUR, IDC_GRID, Frame, "", kNotify | kTabStop | kStaticEdge, kStyleNone},
        {IDD_PAGE_BACKGROUND, IDC_FIXED_IMAGE, CheckBox, "Image &Fixe", kDisabled | kTabStop, kStyleNone},
        {IDD_PAGE_BACKGROUND, IDC_IMAGE_LABEL, Static, "Fichier &Image:", kDisabled, kStyleNone},
        {IDD_PAGE_BACKGROUND, IDC_IMAGE_PATH, Edit, "", kDisabled | kBorder | kTabStop | kAutoHScroll, kDigitsOnly},
        {IDD_PAGE_BACKGROUND, IDC_BROWSE, Button, "...", kDisabled | kTabStop, kStyleNone},
        {IDD_PAGE_MARGINS, IDC_SIDE_DEFAULT, CheckBox, "Marges par &Default ", kTabStop, kDisabled},
        {IDD_PAGE_MARGINS, IDC_TOP_LABEL, Static, "Hauteu&r des marges haut-bas (pixels):", kStyleNone, kDisabled},
        {IDD_PAGE_MARGINS, IDC_SIDE_VALUE, Edit, "", kDigitsOnly | kAutoHScroll | kTabStop, kReadOnly},
        {IDD_PAGE_MARGINS, IDC_MARGIN_SAMPLE, Static, "Tester", kTransparent, kStyleNone},
        {IDD_PAGE_MARGINS, IDC_MARGIN_FRAME, Frame, "", kClientEdge, kStyleNone},
        {IDD_SCREEN_PICKER, IDC_SWATCH, Frame, "", kClientEdge, kStyleNone},
    };
    for (const auto& e : cases) {
        const ControlTemplate& c = Control(e.dialog, e.id);
        EXPECT_EQ(c.kind, e.kind) << e.id << " in " << e.dialog;
        EXPECT_EQ(std::string_view(c.text), std::string_view(e.text)) << e.id << " in " << e.dialog;
        EXPECT_EQ(c.style & e.style, e.style) << e.id << " in " << e.dialog;
        EXPECT_EQ(c.style & e.absent, 0u) << e.id << " in " << e.dialog;
    }
}

TEST(DialogTemplates, OnlyTheLinkButtonsAndThePageFrameStartHidden)
{
    const std::set<int> hidden = {IDC_LINK, IDC_VLINK, IDC_ALINK, IDC_PAGE_FRAME};
    for (const auto& expected : kDialogs)
        for (const ControlTemplate& c : Dialog(expected.id).controls)
            EXPECT_EQ((c.style & kHidden) != 0, hidden.contains(c.id)) << c.id << " in " << expected.id;
}

TEST(DialogTemplates, AboutBoxShowsTheIconTheSecondLineAndASeparator)
{
    const auto controls = Dialog(IDD_ABOUTBOX).controls;
    ASSERT_EQ(controls.size(), 10u);
    EXPECT_EQ(controls[1].kind, ControlKind::Icon);
    EXPECT_STREQ(controls[3].text, LoadResString(IDS_ABOUT_SECOND_LINE));
    EXPECT_EQ(controls[4].kind, ControlKind::EtchedLine);
    for (size_t i : {1, 3, 4})
        EXPECT_EQ(controls[i].id, -1) << i;
}

TEST(DialogTemplates, PickerExplainsEnterAndEscape)
{
    const std::string_view text = Control(IDD_SCREEN_PICKER, IDC_PICKER_TEXT).text;
    EXPECT_TRUE(text.starts_with("Tirez cette fen\xC3\xAAtre \xC3\xA0 un \xC3\xA0 un endroit o\xC3\xB9")) << text;
    EXPECT_TRUE(text.ends_with("Presser sur ENTREE pour confirmer ou ECHAP pour annuler..")) << text;
}

} // namespace
