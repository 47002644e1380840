// gtkfloor: the main window's first view (menu bar, notebook with the first
// colour page, preview, code box, contrast line) made of plain GTK 3 widgets
// at about the same places, with the same texts and fonts, and no wxWidgets.
// bench/startup.sh times it like Velloran (same window title): what it
// takes is the floor for that set of widgets, whatever the toolkit over GTK.
//
// Build: cc -O2 -o gtkfloor bench/gtkfloor.c $(pkg-config --cflags --libs gtk+-3.0)
// Run:   bench/startup.sh ./gtkfloor 15 build/src/app/velloran
#include <gtk/gtk.h>

static gboolean draw_grid(GtkWidget* w, cairo_t* cr, gpointer data)
{
    (void)w;
    (void)data;
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 15; ++c) {
            cairo_set_source_rgb(cr, (r * 17 % 256) / 255.0, (c * 17 % 256) / 255.0, ((r + c) * 8 % 256) / 255.0);
            cairo_rectangle(cr, c * 16 + 1, r * 14 + 1, 15, 13);
            cairo_fill(cr);
        }
    return FALSE;
}

static void text(cairo_t* cr, const char* font, const char* s, double x, double y, int width)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* d = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, d);
    pango_layout_set_width(layout, width * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_text(layout, s, -1);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(d);
    g_object_unref(layout);
}

static gboolean draw_preview(GtkWidget* w, cairo_t* cr, gpointer data)
{
    (void)data;
    (void)w;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    text(cr, "Liberation Serif 12",
         "Voici un example de texte comme il apparaitra dans votre page. (avertissement: en fait le texte *peut "
         "apparaitre* est plus significatif.)",
         4, 4, 330);
    cairo_set_source_rgb(cr, 0, 0, 1);
    text(cr, "Liberation Serif 12", "Ceci est un lien 'normal'.", 90, 120, 300);
    text(cr, "Liberation Serif 12", "Ceci est un lien visité.", 90, 150, 300);
    text(cr, "Liberation Serif 12", "Ceci est un lien actif", 90, 180, 300);
    cairo_set_source_rgb(cr, 0, 0, 0);
    text(cr, "Liberation Serif 12", "Pour une explication de la différence dans ceux-ci, voir la page des liens.", 4,
         250, 330);
    return FALSE;
}

static GtkWidget* put(GtkFixed* f, GtkWidget* w, int x, int y, int width, int height)
{
    gtk_widget_set_size_request(w, width, height);
    gtk_fixed_put(f, w, x, y);
    return w;
}

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    GtkWidget* win = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(win), "Velloran v2.0");
    gtk_window_set_default_size(GTK_WINDOW(win), 830, 500);
    g_signal_connect(win, "destroy", G_CALLBACK(gtk_main_quit), NULL);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(win), box);
    GtkWidget* bar = gtk_menu_bar_new();
    const char* menus[] = {"_Fichiers", "_Options", "_Aide"};
    for (int i = 0; i < 3; ++i) {
        GtkWidget* item = gtk_menu_item_new_with_mnemonic(menus[i]);
        GtkWidget* menu = gtk_menu_new();
        for (int k = 0; k < 6; ++k)
            gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_menu_item_new_with_label("Élément du menu"));
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
        gtk_menu_shell_append(GTK_MENU_SHELL(bar), item);
    }
    gtk_box_pack_start(GTK_BOX(box), bar, FALSE, FALSE, 0);

    GtkFixed* fixed = GTK_FIXED(gtk_fixed_new());
    gtk_box_pack_start(GTK_BOX(box), GTK_WIDGET(fixed), TRUE, TRUE, 0);

    GtkWidget* book = put(fixed, gtk_notebook_new(), 10, 8, 460, 420);
    const char* tabs[] = {"bgcolor", "text", "links", "background", "margins"};
    GtkFixed* page = NULL;
    for (int i = 0; i < 5; ++i) {
        GtkWidget* p = gtk_fixed_new();
        if (i == 0)
            page = GTK_FIXED(p);
        gtk_notebook_append_page(GTK_NOTEBOOK(book), p, gtk_label_new(tabs[i]));
    }
    GtkWidget* info =
        gtk_label_new("L'atribut bgcolor défini la couleur d'arriere plan de votre page, je vous conseille "
                      "de vous raprocher le plus possible de la couleur de votre image d'arriere plan (si "
                      "vous en utilisez une !), cela facilitera la transition lors du chargement de l'image.");
    gtk_label_set_line_wrap(GTK_LABEL(info), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(info), 60);
    put(page, info, 8, 8, 440, 70);
    const char* names[] = {"Rouge:", "Vert:", "Bleu:", "Hex:"};
    for (int i = 0; i < 4; ++i) {
        put(page, gtk_label_new(names[i]), 20, 180 + i * 34, 60, 24);
        GtkWidget* e = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(e), i < 3 ? "255" : "#FFFFFF");
        gtk_entry_set_width_chars(GTK_ENTRY(e), 4);
        put(page, e, 90, 176 + i * 34, i < 3 ? 60 : 76, 28);
        if (i < 3) {
            put(page, gtk_button_new(), 152, 176 + i * 34, 14, 14);
            put(page, gtk_button_new(), 152, 190 + i * 34, 14, 14);
        }
    }
    put(page, gtk_button_new_with_mnemonic("_Copier"), 172, 278, 56, 28);
    put(page, gtk_button_new_with_mnemonic("_Pipette"), 50, 312, 110, 30);
    GtkWidget* check = put(page, gtk_check_button_new_with_mnemonic("_Defaut"), 10, 355, 90, 24);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), TRUE);
    put(page, gtk_button_new_with_mnemonic("_Editer Couleur"), 104, 350, 100, 30);
    GtkWidget* grid = put(page, gtk_drawing_area_new(), 205, 150, 242, 226);
    g_signal_connect(grid, "draw", G_CALLBACK(draw_grid), NULL);

    GtkWidget* preview = put(fixed, gtk_drawing_area_new(), 478, 8, 342, 338);
    g_signal_connect(preview, "draw", G_CALLBACK(draw_preview), NULL);
    put(fixed, gtk_label_new("Body Code:"), 478, 358, 80, 24);
    put(fixed, gtk_button_new_with_mnemonic("Copier _le code"), 718, 350, 100, 30);
    GtkWidget* code = gtk_text_view_new();
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(code)), "<body>", -1);
    put(fixed, code, 478, 385, 340, 60);
    put(fixed, gtk_label_new("Contraste (WCAG) : texte 21:1 AAA · lien 9,3:1 AAA · visité 11:1 AAA · actif 3,9:1 ✗"), 8,
        445, 700, 24);

    gtk_widget_show_all(win);
    gtk_main();
    return 0;
}
