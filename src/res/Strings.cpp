// The string table. Texts are UTF-8 and kept byte for byte as the program
// shows them, odd spellings and doubled blanks included.
#include "res/Strings.h"

#include "res/ResourceIds.h"
#include "res/SharedTexts.h"

#include <algorithm>
#include <iterator>

namespace {

struct StringEntry
{
    int id;
    const char* text;
};

// Sorted by id, each id once: LoadResString searches it by halves.
constexpr StringEntry kStrings[] = {
    {IDS_VERSION, "v2.0"},
    {IDS_CAPTION, kCaptionText},
    {IDS_INFO_BGCOLOR, "L'atribut bgcolor défini la couleur d'arriere plan de votre page, je vous conseille de vous "
                       "raprocher le plus possible de la couleur de votre image d'arriere plan (si vous en utilisez "
                       "une !), cela facilitera la transition lors du chargement de l'image."},
    {IDS_INFO_TEXT,
     "L'attribut 'TEXT' défini la couleur par défaut du texte de votre page. Par exemple, si vous éditiez un document "
     "d'HTML ordinaire avec aucune mise en forme,le texte serait défini avec cette couleur. Vous devriez noter que la "
     "plupart des navigateurs, utilisent cette couleur pour les en-têtes (H1, H2...) dans le document.."},
    {IDS_INFO_LINKS,
     "L'attribut 'vlink' (visited link) defini la couleur des liens dejà visités. L'attribut 'alink' (active "
     "link)(lien Actif) defini la couleur des liensactifs, ceux-ci sont surtout utilisé dans les cas de Frames. "
     "Finallement l'atribut 'Link' (liens) definit la couleur des liens dit  'normaux' ."},
    {IDS_PREVIEW_TOP, "Voici un example de texte comme il apparaitra dans votre page. (avertissement: en fait le texte "
                      "*peut apparaitre* est plus significatif.)"},
    {IDS_PREVIEW_BOTTOM, "Pour une explication de la différence dans ceux-ci, voir la page des liens en cliquant sur "
                         "le l'onglet à gauche."},
    {IDS_PREVIEW_LINK, "Ceci est un lien 'normal'."},
    {IDS_PREVIEW_VLINK, "Ceci est un lien visité."},
    {IDS_PREVIEW_ALINK, "Ceci est un lien actif"},
    {IDS_PALETTE_NEEDS_COLOUR_TAB, "Avant d'enregistrer une palette, vous devez changer d'onglet (ex. bgcolor) et "
                                   "enregistrer la palette désirée pour la sauvegarder."},
    {IDS_INFO_BACKGROUND,
     "Quelques conseils de Corvane : Choisissez une image d'arriere plan ne dépassent pas 15 KO, la page serait trop "
     "longue a se charger et les visiteurs partiraient avant la fin de l'affichage !."},
    {IDS_INFO_MARGINS, "Microsoft Internet Explorer utilise des marges par defaut, si vous changez celles-ci, verifiez "
                       "le résultat avant de poster le fichier sur Internet !."},
    {IDS_MARGINS_SAMPLE, "Je ne saurai que trop vous conseiller de garder les marges par défauts, cell-ci risquent "
                         "d'être différente suivant le naviguateur utilisé 'Internet Explorer, Netscape, Opera ....."},
    {IDS_ABOUT_SECOND_LINE, kAboutSecondLineText},
    {IDS_ABOUT_PARAGRAPH,
     "Velloran a été écrit par l'équipe Velloran. Vous pouvez l'utiliser, le copier et le distribuer librement. Pour "
     "toute question, rendez-vous sur notre page d'accueil : https://velloran.example.org/"},
    {IDS_ABOUT_EMAIL, "velloran@example.org"},
    {IDS_ABOUT_HOMEPAGE, "https://velloran.example.org/"},
    {IDS_HELP_OPEN_FAILED, "Echec de l'ouverture du fichier d'aide."},
    {IDS_HELP_NO_TOPIC, "Aucune aide n'est disponible pour cet élément."},
    {IDS_FILTER_HTML, "HTML Files (*.html;*.htm)|*.html; *.htm|All Files (*.*)|*.*||"},
    {IDS_FILTER_PALETTE, "Palette Files (*.zvpal)|*.zvpal|GIMP Palette (*.gpl)|*.gpl|All Files (*.*)|*.*||"},
    {IDS_FILTER_IMAGE, "Image Files (*.gif;*.jpg;*.png)|*.gif; *.jpg; *.png|All Files (*.*)|*.*||"},
    {IDS_TAB_BGCOLOR, "bgcolor"},
    {IDS_TAB_TEXT, "text"},
    {IDS_TAB_LINKS, "links"},
    {IDS_TAB_BACKGROUND, "background"},
    {IDS_TAB_MARGINS, "margins"},
    {IDS_MESSAGE_CAPTION, "Velloran"},
    {IDS_IMPORT_CANNOT_READ, "Impossible de lire le fichier « %s ». Rien n'a été importé."},
    {IDS_IMPORT_NO_BODY, "Le fichier « %s » ne contient pas de balise <body>. Rien n'a été importé."},
    {IDS_EXPORT_CANNOT_READ, "Impossible de lire le fichier « %s ». Il n'a pas été modifié."},
    {IDS_EXPORT_CANNOT_WRITE, "Impossible d'écrire le fichier « %s ». Il est resté tel qu'il était."},
    {IDS_PALETTE_CANNOT_READ, "Impossible de lire le fichier « %s ». Les palettes n'ont pas changé."},
    {IDS_PALETTE_NOT_PALETTE, "Le fichier « %s » n'est pas un fichier de palette. Les palettes n'ont pas changé."},
    {IDS_PALETTE_CANNOT_WRITE, "Impossible d'écrire le fichier « %s ». La palette n'a pas été enregistrée."},
    {IDS_SETTINGS_CANNOT_WRITE, "Impossible d'enregistrer les réglages par défaut dans « %s »."},
    {IDS_FILE_REPLACE, "Le fichier « %s » existe déjà. Voulez-vous le remplacer ?"},
    {IDS_PICKER_NO_SCREEN, "La pipette ne peut pas lire l'écran : ce bureau ne laisse lire ses couleurs qu'à travers "
                           "son propre sélecteur de couleur, et celui-ci n'a pas répondu."},
    {IDS_PALETTE_TOO_LARGE,
     "Le fichier « %s » est trop gros pour être une palette (plus de 1 Mo). Les palettes n'ont pas changé."},
    {IDS_PALETTE_NOT_TEXT,
     "Le fichier « %s » n'est pas un fichier texte : ce n'est pas une palette GIMP. Les palettes n'ont pas changé."},
    {IDS_PALETTE_NO_GIMP_HEADER, "Le fichier « %s » ne commence pas par la ligne « GIMP Palette » : ce n'est pas une "
                                 "palette GIMP. Les palettes n'ont pas changé."},
    {IDS_PALETTE_BAD_COMPONENT, "Dans le fichier « %s », la ligne %d a une composante de couleur hors de 0 à 255. Les "
                                "palettes n'ont pas changé."},
    {IDS_TITLE_IMPORT, "Importer la balise body d'un fichier HTML"},
    {IDS_TITLE_EXPORT, "Exporter la balise body dans un fichier HTML"},
    {IDS_TITLE_IMAGE, "Choisir l'image d'arrière-plan"},
    {IDS_TITLE_PALETTE_LOAD, "Charger une palette de couleurs"},
    {IDS_TITLE_PALETTE_SAVE, "Enregistrer la palette de couleurs"},
    {IDS_EXPORT_CANNOT_CREATE, "Impossible de créer le fichier « %s »."},
    {IDS_HELP_BACK, "< &Précédent"},
    {IDS_CONTRAST_TITLE, "Contraste (WCAG) :"},
    {IDS_CONTRAST_TEXT, "texte"},
    {IDS_CONTRAST_LINK, "lien"},
    {IDS_CONTRAST_VLINK, "visité"},
    {IDS_CONTRAST_ALINK, "actif"},
    {IDS_CONTRAST_LOW, "✗"},
    {IDS_CONTRAST_WARNING, "⚠ Moins de 4,5:1 : difficile à lire"},
};

static_assert(std::ranges::adjacent_find(kStrings, std::ranges::greater_equal{}, &StringEntry::id) ==
                  std::end(kStrings),
              "the string table must be sorted by id without repeats");

} // namespace

const char* LoadResString(int id)
{
    const auto* it = std::ranges::lower_bound(kStrings, id, {}, &StringEntry::id);
    return it != std::end(kStrings) && it->id == id ? it->text : "";
}
