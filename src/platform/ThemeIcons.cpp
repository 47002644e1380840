#include "platform/ThemeIcons.h"

#include <gtk/gtk.h>

#include <cstring>

namespace {

constexpr char kPrerenderedMarks[] = R"css(
checkbutton > check:checked, menuitem > check:checked {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/check-symbolic.symbolic.png"));
}
checkbutton > check:indeterminate, menuitem > check:indeterminate,
radiobutton > radio:indeterminate, menuitem > radio:indeterminate {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/dash-symbolic.symbolic.png"));
}
radiobutton > radio:checked, menuitem > radio:checked {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/bullet-symbolic.symbolic.png"));
}
)css";

} // namespace

void UsePrerenderedCheckMarks()
{
    GdkScreen* screen = gdk_screen_get_default();
    GtkSettings* settings = gtk_settings_get_default();
    if (screen == nullptr || settings == nullptr ||
        gdk_window_get_scale_factor(gdk_screen_get_root_window(screen)) != 1)
        return;
    gchar* theme = nullptr;
    g_object_get(settings, "gtk-theme-name", &theme, nullptr);
    const bool adwaita = theme != nullptr && std::strcmp(theme, "Adwaita") == 0;
    g_free(theme);
    if (!adwaita)
        return;
    GtkCssProvider* provider = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(provider, kPrerenderedMarks, -1, nullptr))
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}
