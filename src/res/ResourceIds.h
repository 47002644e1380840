// Resource identifiers: dialog templates, menus, strings, icons, controls,
// commands and context-help ids. Code names them from here, never as bare
// numbers.
#pragma once

#include <cstdint>

// Dialog templates
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_BODYTAG_DIALOG = 102;
constexpr int IDD_PAGE_COLOUR = 130;
constexpr int IDD_PAGE_BACKGROUND = 132;
constexpr int IDD_PAGE_MARGINS = 133;
constexpr int IDD_SCREEN_PICKER = 134;

// Menus and icons
constexpr int IDR_MAINFRAME = 128; // the application icon
constexpr int IDR_MENU_MAIN = 131;
constexpr int IDR_MENU_CONTEXT = 136;

// Strings
constexpr int IDS_VERSION = 103;      // "v2.0"
constexpr int IDS_CAPTION = 107;      // "Velloran v2.0"
constexpr int IDS_INFO_BGCOLOR = 111; // also the kind of the bgcolor page
constexpr int IDS_INFO_TEXT = 112;    // also the kind of the text page
constexpr int IDS_INFO_LINKS = 113;   // also the kind of the links page
constexpr int IDS_PREVIEW_TOP = 115;
constexpr int IDS_PREVIEW_BOTTOM = 116;
constexpr int IDS_PREVIEW_LINK = 117;
constexpr int IDS_PREVIEW_VLINK = 118;
constexpr int IDS_PREVIEW_ALINK = 119;
constexpr int IDS_PALETTE_NEEDS_COLOUR_TAB = 120;
// Strings of our own (texts that the templates do not carry)
constexpr int IDS_INFO_BACKGROUND = 140;
constexpr int IDS_INFO_MARGINS = 141;
constexpr int IDS_MARGINS_SAMPLE = 142;
constexpr int IDS_ABOUT_SECOND_LINE = 143;
constexpr int IDS_ABOUT_PARAGRAPH = 144;
constexpr int IDS_ABOUT_EMAIL = 145;
constexpr int IDS_ABOUT_HOMEPAGE = 146;
constexpr int IDS_HELP_OPEN_FAILED = 147; // "Echec de l'ouverture du fichier d'aide."
constexpr int IDS_HELP_NO_TOPIC = 148;    // a help request for an id the help file lacks
constexpr int IDS_FILTER_HTML = 150;
constexpr int IDS_FILTER_PALETTE = 151;
constexpr int IDS_FILTER_IMAGE = 152;
constexpr int IDS_TAB_BGCOLOR = 155;
constexpr int IDS_TAB_TEXT = 156;
constexpr int IDS_TAB_LINKS = 157;
constexpr int IDS_TAB_BACKGROUND = 158;
constexpr int IDS_TAB_MARGINS = 159;
// 160 and up: messages of our own for failed file and settings operations;
// "%s" stands for the file's path.
constexpr int IDS_MESSAGE_CAPTION = 160;
constexpr int IDS_IMPORT_CANNOT_READ = 161;
constexpr int IDS_IMPORT_NO_BODY = 162;
constexpr int IDS_EXPORT_CANNOT_READ = 163;
constexpr int IDS_EXPORT_CANNOT_WRITE = 164;
constexpr int IDS_PALETTE_CANNOT_READ = 165;
constexpr int IDS_PALETTE_NOT_PALETTE = 166;
constexpr int IDS_PALETTE_CANNOT_WRITE = 167;
constexpr int IDS_SETTINGS_CANNOT_WRITE = 168;
constexpr int IDS_FILE_REPLACE = 169;
constexpr int IDS_PICKER_NO_SCREEN = 170; // the eyedropper cannot read this desktop's screen
constexpr int IDS_PALETTE_TOO_LARGE = 171;
constexpr int IDS_PALETTE_NOT_TEXT = 172;
constexpr int IDS_PALETTE_NO_GIMP_HEADER = 173;
constexpr int IDS_PALETTE_BAD_COMPONENT = 174; // "%d" stands for the line
// Titles of the file dialogs.
constexpr int IDS_TITLE_IMPORT = 180;
constexpr int IDS_TITLE_EXPORT = 181;
constexpr int IDS_TITLE_IMAGE = 182;
constexpr int IDS_TITLE_PALETTE_LOAD = 183;
constexpr int IDS_TITLE_PALETTE_SAVE = 184;
constexpr int IDS_EXPORT_CANNOT_CREATE = 185; // the export's file did not exist and could not be made
constexpr int IDS_HELP_BACK = 186;            // the help window's back button
// The contrast line under the preview.
constexpr int IDS_CONTRAST_TITLE = 190;
constexpr int IDS_CONTRAST_TEXT = 191;
constexpr int IDS_CONTRAST_LINK = 192;
constexpr int IDS_CONTRAST_VLINK = 193;
constexpr int IDS_CONTRAST_ALINK = 194;
constexpr int IDS_CONTRAST_LOW = 195;     // the mark of a ratio under 4.5:1
constexpr int IDS_CONTRAST_WARNING = 196; // ends the line when a ratio is under 4.5:1

// Controls of the main dialog (102)
constexpr int IDC_PREVIEW = 1037;
constexpr int IDC_BODY_CODE = 1042;
constexpr int IDC_BODY_CODE_LABEL = 1043;
constexpr int IDC_COPY_CODE = 1044;
constexpr int IDC_TABS = 1066;
constexpr int IDC_PAGE_FRAME = 1067;
constexpr int IDC_CONTRAST = 1076;

// Controls of the colour page (130)
constexpr int IDC_GRID = 1012;
constexpr int IDC_INFO = 1013;
constexpr int IDC_LINK = 1014;
constexpr int IDC_VLINK = 1015;
constexpr int IDC_ALINK = 1016;
constexpr int IDC_RED = 1017;
constexpr int IDC_RED_SPIN = 1018;
constexpr int IDC_RED_LABEL = 1019;
constexpr int IDC_GREEN = 1020;
constexpr int IDC_GREEN_SPIN = 1021;
constexpr int IDC_GREEN_LABEL = 1022;
constexpr int IDC_BLUE = 1023;
constexpr int IDC_BLUE_SPIN = 1024;
constexpr int IDC_BLUE_LABEL = 1025;
constexpr int IDC_HEX_LABEL = 1026;
constexpr int IDC_HEX = 1027;
constexpr int IDC_COPY_HEX = 1028;
constexpr int IDC_PIPETTE = 1029;
constexpr int IDC_DEFAULT = 1030;
constexpr int IDC_EDIT_COLOUR = 1031;

// Controls of the background page (132)
constexpr int IDC_BACKGROUND_INFO = 1045;
constexpr int IDC_USE_IMAGE = 1046;
constexpr int IDC_FIXED_IMAGE = 1047;
constexpr int IDC_IMAGE_LABEL = 1048;
constexpr int IDC_IMAGE_PATH = 1049;
constexpr int IDC_BROWSE = 1050;

// Controls of the margins page (133)
constexpr int IDC_SIDE_DEFAULT = 1053;
constexpr int IDC_SIDE_LABEL = 1054;
constexpr int IDC_SIDE_VALUE = 1055;
constexpr int IDC_SIDE_SPIN = 1056;
constexpr int IDC_TOP_DEFAULT = 1057;
constexpr int IDC_TOP_LABEL = 1058;
constexpr int IDC_TOP_VALUE = 1059;
constexpr int IDC_TOP_SPIN = 1060;
constexpr int IDC_MARGIN_SAMPLE = 1061;
constexpr int IDC_MARGINS_INFO = 1062;
constexpr int IDC_MARGIN_FRAME = 1037; // the sample frame shares the preview's number

// Controls of the screen picker (134)
constexpr int IDC_PICKER_TEXT = 1013;
constexpr int IDC_SWATCH = 1069;
constexpr int IDC_MAGNIFIER = 1076;     // X11 only: the pixels around the pointer, enlarged
constexpr int IDC_MAGNIFIER_HEX = 1077; // the hex of the pixel under the pointer

// Controls of the about box (100)
constexpr int IDC_ABOUT_OK = 1; // IDOK
constexpr int IDC_ABOUT_PARAGRAPH = 1045;
constexpr int IDC_HOMEPAGE = 1070;
constexpr int IDC_EMAIL = 1071;
constexpr int IDC_ABOUT_TITLE = 1073;
constexpr int IDC_GO_MAIL = 1074;
constexpr int IDC_GO_HOME = 1075;

// Menu commands
constexpr int ID_FILE_QUIT = 32771;
constexpr int ID_FILE_IMPORT = 32772;
constexpr int ID_FILE_EXPORT = 32773;
constexpr int ID_FILE_SAVE_DEFAULT = 32774;
constexpr int ID_FILE_LOAD_DEFAULT = 32775;
constexpr int ID_OPTION_TAGS_UPPER = 32776;
constexpr int ID_OPTION_HEX_UPPER = 32777;
constexpr int ID_PALETTE_LOAD = 32778;
constexpr int ID_PALETTE_SAVE = 32779;
constexpr int ID_PALETTE_SAVE_DEFAULT = 32780;
constexpr int ID_HELP_FINDER = 32781;
constexpr int ID_HELP_ABOUT = 32782;
constexpr int ID_OPTION_INPUT_HEX = 32783;
constexpr int ID_PALETTE_LOAD_DEFAULT = 32784;
constexpr int ID_HELP_TIPS = 32786;
constexpr int ID_CONTEXT_EXPLAIN = 32791;
constexpr int ID_FILE_COPY_CSS = 32792;
constexpr int ID_OPTION_CSS_STYLE = 32793;
constexpr int ID_FILE_COPY_CODE = 32794; // the menu's twin of the "&Copier le code" button

// Context-help ids: 4200, the window (1 about, 2 main, 3 colour page,
// 4 background page, 5 margins page), the group (00 = the window itself).
constexpr uint32_t HIDT_TIPS = 4200003;
constexpr uint32_t HID_ABOUT = 4200100;
constexpr uint32_t HID_ABOUT_MAIL = 4200101;
constexpr uint32_t HID_ABOUT_HOME = 4200102;
constexpr uint32_t HID_ABOUT_OK = 4200103;
constexpr uint32_t HID_MAIN = 4200200;
constexpr uint32_t HID_MAIN_PREVIEW = 4200201;
constexpr uint32_t HID_MAIN_CODE = 4200202;
constexpr uint32_t HID_MAIN_CONTRAST = 4200203;
constexpr uint32_t HID_COLOUR = 4200300;
constexpr uint32_t HID_COLOUR_RGB = 4200301;
constexpr uint32_t HID_COLOUR_HEX = 4200302;
constexpr uint32_t HID_COLOUR_PIPETTE = 4200303;
constexpr uint32_t HID_COLOUR_LINKS = 4200304;
constexpr uint32_t HID_COLOUR_DEFAULT = 4200305;
constexpr uint32_t HID_COLOUR_EDIT = 4200306;
constexpr uint32_t HID_COLOUR_GRID = 4200307;
constexpr uint32_t HID_BACKGROUND = 4200400;
constexpr uint32_t HID_BACKGROUND_USE = 4200401;
constexpr uint32_t HID_BACKGROUND_FIXED = 4200402;
constexpr uint32_t HID_BACKGROUND_PATH = 4200403;
constexpr uint32_t HID_MARGINS = 4200500;
constexpr uint32_t HID_MARGINS_SIDE = 4200501;
constexpr uint32_t HID_MARGINS_TOP = 4200502;
