#include "help/HelpIds.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

// The help id of every control that carries one, written out by number; any
// other control of these templates carries none.
const std::map<std::pair<int, int>, uint32_t> kExpected = {
    {{100, kHelpWindowItself}, 4200100},
    {{100, 1074}, 4200101},
    {{100, 1071}, 4200101},
    {{100, 1075}, 4200102},
    {{100, 1070}, 4200102},
    {{100, 1}, 4200103},
    {{102, kHelpWindowItself}, 4200200},
    {{102, 1037}, 4200201},
    {{102, 1042}, 4200202},
    {{102, 1043}, 4200202},
    {{102, 1044}, 4200202},
    {{102, 1076}, 4200203},
    {{130, kHelpWindowItself}, 4200300},
    {{130, 1019}, 4200301},
    {{130, 1022}, 4200301},
    {{130, 1025}, 4200301},
    {{130, 1017}, 4200301},
    {{130, 1020}, 4200301},
    {{130, 1023}, 4200301},
    {{130, 1018}, 4200301},
    {{130, 1021}, 4200301},
    {{130, 1024}, 4200301},
    {{130, 1026}, 4200302},
    {{130, 1027}, 4200302},
    {{130, 1028}, 4200302},
    {{130, 1029}, 4200303},
    {{130, 1014}, 4200304},
    {{130, 1015}, 4200304},
    {{130, 1016}, 4200304},
    {{130, 1030}, 4200305},
    {{130, 1031}, 4200306},
    {{130, 1012}, 4200307},
    {{132, kHelpWindowItself}, 4200400},
    {{132, 1046}, 4200401},
    {{132, 1047}, 4200402},
    {{132, 1048}, 4200403},
    {{132, 1049}, 4200403},
    {{132, 1050}, 4200403},
    {{133, kHelpWindowItself}, 4200500},
    {{133, 1053}, 4200501},
    {{133, 1054}, 4200501},
    {{133, 1055}, 4200501},
    {{133, 1056}, 4200501},
    {{133, 1057}, 4200502},
    {{133, 1058}, 4200502},
    {{133, 1059}, 4200502},
    {{133, 1060}, 4200502},
};

constexpr int kHelpWindows[] = {IDD_ABOUTBOX, IDD_BODYTAG_DIALOG, IDD_PAGE_COLOUR, IDD_PAGE_BACKGROUND,
                                IDD_PAGE_MARGINS};

uint32_t Expected(int templateId, int controlId)
{
    const auto it = kExpected.find({templateId, controlId});
    return it != kExpected.end() ? it->second : 0;
}

TEST(ContextHelpIds, EveryControlOfEveryTemplateMapsToItsId)
{
    for (const int templateId : kHelpWindows) {
        EXPECT_EQ(FindContextHelpId(templateId, kHelpWindowItself), Expected(templateId, kHelpWindowItself))
            << "window " << templateId;
        for (const ControlTemplate& control : FindDialogTemplate(templateId)->controls) {
            if (control.id > 0) { // controls without an id cannot carry one
                EXPECT_EQ(FindContextHelpId(templateId, control.id), Expected(templateId, control.id))
                    << "control " << control.id << " (" << control.text << ") of " << templateId;
            }
        }
    }
}

TEST(ContextHelpIds, EveryEntryNamesAControlOfItsTemplate)
{
    for (const ContextHelpEntry& entry : GetContextHelpTable()) {
        if (entry.controlId == kHelpWindowItself)
            continue;
        const DialogTemplate* dialog = FindDialogTemplate(entry.templateId);
        ASSERT_NE(dialog, nullptr) << entry.templateId;
        int found = 0;
        for (const ControlTemplate& control : dialog->controls)
            found += control.id == entry.controlId;
        EXPECT_EQ(found, 1) << "control " << entry.controlId << " of " << entry.templateId;
    }
    EXPECT_EQ(GetContextHelpTable().size(), kExpected.size());
}

TEST(ContextHelpIds, IdsNameTheirWindowAndTheScreenPickerHasNone)
{
    // 4200, then the window's digit, then the group (00 for the window).
    const std::map<int, uint32_t> windowDigit = {{100, 1}, {102, 2}, {130, 3}, {132, 4}, {133, 5}};
    for (const ContextHelpEntry& entry : GetContextHelpTable()) {
        EXPECT_EQ(entry.helpId / 1000, 4200u) << entry.helpId;
        EXPECT_EQ(entry.helpId / 100 % 10, windowDigit.at(entry.templateId)) << entry.helpId;
        EXPECT_EQ(entry.helpId % 100 == 0, entry.controlId == kHelpWindowItself) << entry.helpId;
    }
    EXPECT_EQ(FindContextHelpId(IDD_SCREEN_PICKER, kHelpWindowItself), 0u);
    for (const ControlTemplate& control : FindDialogTemplate(IDD_SCREEN_PICKER)->controls)
        EXPECT_EQ(FindContextHelpId(IDD_SCREEN_PICKER, control.id), 0u) << control.id;
}

} // namespace
