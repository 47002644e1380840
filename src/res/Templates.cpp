// Dialog templates and menus of the program, as tables. Control order is the
// keyboard tab order.
#include "res/Templates.h"

#include "res/ResourceIds.h"
#include "res/SharedTexts.h"

#include <algorithm>
#include <iterator>

namespace {

using enum ControlKind;

constexpr int kNoId = -1;

// Edit boxes have a border and are tab stops, as in any dialog template.
constexpr uint32_t kEditBox = kBorder | kTabStop | kAutoHScroll;
constexpr uint32_t kValueBox = kEditBox | kDigitsOnly;

constexpr ControlTemplate kAboutControls[] = {
    {IDC_ABOUT_OK, DefButton, "OK", 165, 145, 50, 14, kGroup | kTabStop},
    {kNoId, Icon, "", 11, 17, 20, 20, kStyleNone},
    {IDC_ABOUT_TITLE, Static, "Velloran", 50, 15, 165, 8, kNoPrefix},
    {kNoId, Static, kAboutSecondLineText, 50, 30, 165, 8, kStyleNone},
    {kNoId, EtchedLine, "", 50, 45, 165, 1, kStyleNone},
    {IDC_ABOUT_PARAGRAPH, Static, "", 50, 50, 165, 55, kStyleNone},
    {IDC_GO_MAIL, Button, "Go!", 25, 110, 20, 12, kTabStop},
    {IDC_EMAIL, Edit, "", 50, 110, 165, 12, kEditBox | kReadOnly},
    {IDC_GO_HOME, Button, "Go!", 25, 125, 20, 12, kTabStop},
    {IDC_HOMEPAGE, Edit, "", 50, 125, 165, 12, kEditBox | kReadOnly},
};

// The copy button ends where the code box ends (x 410), inside the dialog.
// The contrast line runs under the preview and the tabs: its words need the
// window's width.
constexpr ControlTemplate kMainControls[] = {
    {IDC_TABS, Tab, "", 5, 5, 230, 198, kTabStop},
    {IDC_PAGE_FRAME, Frame, "", 7, 18, 226, 183, kHidden},
    {IDC_PREVIEW, Frame, "", 240, 5, 170, 145, kStyleNone},
    {IDC_BODY_CODE_LABEL, Static, "B&ody Code:", 240, 168, 37, 8, kStyleNone},
    {IDC_BODY_CODE, Edit, "", 240, 178, 170, 25, kBorder | kTabStop | kMultiLine | kReadOnly},
    {IDC_COPY_CODE, Button, "&Copier le code", 360, 161, 50, 15, kTabStop},
    {IDC_CONTRAST, Static, "", 5, 208, 405, 9, kNoPrefix},
};

constexpr ControlTemplate kColourControls[] = {
    {IDC_INFO, Static, "Info...", 4, 4, 217, 57, kStyleNone},
    {IDC_LINK, RadioPush, "&Lien", 4, 64, 27, 11, kHidden | kGroup | kTabStop},
    {IDC_VLINK, RadioPush, " &Visité", 34, 64, 27, 11, kHidden | kTabStop},
    {IDC_ALINK, RadioPush, "&Actif", 64, 64, 27, 11, kHidden | kTabStop},
    {IDC_RED_LABEL, Static, "&Rouge:", 17, 85, 22, 8, kStyleNone},
    {IDC_RED, Edit, "", 44, 79, 38, 12, kValueBox},
    {IDC_RED_SPIN, UpDown, "Spin1", 81, 79, 8, 12, kStyleNone},
    {IDC_GREEN_LABEL, Static, "&Vert:", 17, 97, 25, 8, kStyleNone},
    {IDC_GREEN, Edit, "", 44, 95, 38, 12, kValueBox},
    {IDC_GREEN_SPIN, UpDown, "Spin1", 82, 95, 8, 12, kStyleNone},
    {IDC_BLUE_LABEL, Static, "&Bleu:", 17, 113, 20, 8, kStyleNone},
    {IDC_BLUE, Edit, "", 44, 111, 38, 12, kValueBox},
    {IDC_BLUE_SPIN, UpDown, "Spin1", 82, 111, 8, 12, kStyleNone},
    {IDC_HEX_LABEL, Static, "&Hex:", 6, 129, 15, 8, kStyleNone},
    {IDC_HEX, Edit, "", 23, 127, 38, 12, kEditBox | kWantReturn},
    {IDC_COPY_HEX, Button, "Cop&ier", 64, 127, 28, 12, kTabStop},
    {IDC_PIPETTE, Button, "&Pipette", 22, 143, 55, 14, kTabStop},
    {IDC_DEFAULT, CheckBox, "&Defaut", 4, 167, 37, 10, kTabStop},
    {IDC_EDIT_COLOUR, Button, "&Editer Couleur", 45, 163, 50, 14, kTabStop},
    {IDC_GRID, Frame, "", 95, 65, 127, 112, kNotify | kTabStop | kStaticEdge},
};

constexpr ControlTemplate kBackgroundControls[] = {
    {IDC_BACKGROUND_INFO, Static, "Info...", 5, 5, 215, 145, kStyleNone},
    {IDC_USE_IMAGE, CheckBox, "&Utiliser une image", 5, 155, 115, 10, kTabStop},
    {IDC_FIXED_IMAGE, CheckBox, "Image &Fixe", 145, 155, 75, 10, kDisabled | kTabStop},
    {IDC_IMAGE_LABEL, Static, "Fichier &Image:", 5, 169, 34, 8, kDisabled},
    {IDC_IMAGE_PATH, Edit, "", 47, 167, 160, 12, kEditBox | kDisabled},
    {IDC_BROWSE, Button, "...", 208, 167, 12, 12, kDisabled | kTabStop},
};

constexpr ControlTemplate kMarginsControls[] = {
    {IDC_MARGINS_INFO, Static, "Info...", 5, 5, 215, 60, kStyleNone},
    {IDC_SIDE_DEFAULT, CheckBox, "Marges par &Default ", 5, 70, 130, 10, kTabStop},
    {IDC_SIDE_LABEL, Static, "Largeur des marge&s (pixels):", 55, 82, 89, 8, kStyleNone},
    {IDC_SIDE_VALUE, Edit, "", 175, 80, 45, 12, kValueBox},
    {IDC_SIDE_SPIN, UpDown, "Spin1", 215, 85, 8, 14, kStyleNone},
    {IDC_TOP_DEFAULT, CheckBox, "&Marges haut-bas par defaut", 5, 100, 130, 10, kTabStop},
    {IDC_TOP_LABEL, Static, "Hauteu&r des marges haut-bas (pixels):", 55, 112, 115, 8, kStyleNone},
    {IDC_TOP_VALUE, Edit, "", 175, 110, 45, 12, kValueBox},
    {IDC_TOP_SPIN, UpDown, "Spin1", 215, 115, 8, 14, kStyleNone},
    {IDC_MARGIN_SAMPLE, Static, "Tester", 10, 135, 205, 35, kTransparent},
    {IDC_MARGIN_FRAME, Frame, "", 5, 130, 215, 45, kClientEdge},
};

constexpr ControlTemplate kPickerControls[] = {
    {IDC_PICKER_TEXT, Static,
     "Tirez cette fenêtre à un à un endroit où elle ne vous gênera pas et déplacez la souris sur l'écran jusqu'à ce "
     "que vous trouviez la couleur que vous voulez. Presser sur ENTREE pour confirmer ou ECHAP pour annuler..",
     5, 5, 95, 65, kStyleNone},
    {IDC_SWATCH, Frame, "", 105, 5, 39, 65, kClientEdge},
};

constexpr DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, "About Velloran", 224, 168, kAboutControls},
    {IDD_BODYTAG_DIALOG, kCaptionText, 414, 220, kMainControls},
    {IDD_PAGE_COLOUR, "", 227, 183, kColourControls},
    {IDD_PAGE_BACKGROUND, "", 224, 183, kBackgroundControls},
    {IDD_PAGE_MARGINS, "", 224, 183, kMarginsControls},
    {IDD_SCREEN_PICKER, "Piqueur de couleur !", 149, 75, kPickerControls},
};

// Shortcuts follow the GNOME conventions; none takes a key an edit box uses.
constexpr MenuItemTemplate Item(int id, const char* label, const char* shortcut = nullptr)
{
    return {id, label, false, false, shortcut};
}
constexpr MenuItemTemplate Check(int id, const char* label, bool checked)
{
    return {id, label, checked, true, nullptr};
}
constexpr MenuItemTemplate kSeparatorItem = {0, "", false, false, nullptr};

constexpr MenuItemTemplate kFileItems[] = {
    Item(ID_FILE_IMPORT, "&Importer d'un fichier HTML", "Ctrl+O"),
    Item(ID_FILE_EXPORT, "&Exporter d'un fichier HTML", "Ctrl+E"),
    Item(ID_FILE_COPY_CODE, "Copier le co&de", "Ctrl+Shift+C"),
    // Not Ctrl+Shift+C: that one copies the tag, as GNOME programs do.
    Item(ID_FILE_COPY_CSS, "Copier le code &CSS", "Ctrl+Alt+C"),
    kSeparatorItem,
    Item(ID_FILE_LOAD_DEFAULT, "&Charger par defaut"),
    Item(ID_FILE_SAVE_DEFAULT, "&Sauver comme defaut"),
    kSeparatorItem,
    Item(ID_FILE_QUIT, "&Quitter", "Ctrl+Q"),
};

// The check marks are the only storage of the options.
constexpr MenuItemTemplate kOptionItems[] = {
    Check(ID_OPTION_TAGS_UPPER, "&Tags en majuscules", false),
    Check(ID_OPTION_HEX_UPPER, "&Hex en majuscules", true),
    Check(ID_OPTION_INPUT_HEX, "&Valeurs RGB ou Hex", false),
    Check(ID_OPTION_CSS_STYLE, "Style CSS dans la &balise", false),
    kSeparatorItem,
    Item(ID_PALETTE_LOAD, "Charger &la Palette de couleur"),
    Item(ID_PALETTE_SAVE, "&Sauver la Palette de couleur"),
    Item(ID_PALETTE_LOAD_DEFAULT, "Charger la  &Palette par defaut"),
    Item(ID_PALETTE_SAVE_DEFAULT, "Sauver comme  Palette par &Default"),
};

constexpr MenuItemTemplate kHelpItems[] = {
    Item(ID_HELP_FINDER, "&Astuces au démarage"),
    Item(ID_HELP_TIPS, "&Astuces"),
    kSeparatorItem,
    Item(ID_HELP_ABOUT, "&Apropos de Velloran"),
};

constexpr MenuTemplate kMainMenu[] = {
    {"&Fichiers", kFileItems},
    {"O&ptions", kOptionItems},
    {"&Aide", kHelpItems},
};

constexpr MenuItemTemplate kContextItems[] = {
    Item(ID_CONTEXT_EXPLAIN, "&Explications?"),
};

constexpr MenuTemplate kContextMenu[] = {
    {"", kContextItems},
};

} // namespace

const DialogTemplate* FindDialogTemplate(int id)
{
    const auto* it = std::ranges::find(kDialogs, id, &DialogTemplate::id);
    return it != std::end(kDialogs) ? it : nullptr;
}

const ControlTemplate* FindControlTemplate(const DialogTemplate& dialog, int id)
{
    const auto it = std::ranges::find(dialog.controls, id, &ControlTemplate::id);
    return it != dialog.controls.end() ? &*it : nullptr;
}

std::span<const MenuTemplate> FindMenuTemplate(int id)
{
    switch (id) {
    case IDR_MENU_MAIN:
        return kMainMenu;
    case IDR_MENU_CONTEXT:
        return kContextMenu;
    default:
        return {};
    }
}
