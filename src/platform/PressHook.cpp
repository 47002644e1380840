#include "platform/PressHook.h"

#include <wx/window.h>

#include <gtk/gtk.h>

namespace {

constexpr char kGesturesKey[] = "velloran-press-hooks";

void OnPressed(GtkGestureMultiPress* multiPress, gint, gdouble, gdouble, gpointer data)
{
    GtkGesture* gesture = GTK_GESTURE(multiPress);
    GtkGestureSingle* single = GTK_GESTURE_SINGLE(multiPress);
    const GdkEvent* event = gtk_gesture_get_last_event(gesture, gtk_gesture_single_get_current_sequence(single));
    gdouble x = 0, y = 0;
    if (!event || !gdk_event_get_root_coords(event, &x, &y))
        return;
    GtkWidget* target = gtk_get_event_widget(const_cast<GdkEvent*>(event));
    const MousePress press{gtk_gesture_single_get_current_button(single), wxPoint(int(x), int(y)),
                           target && gtk_widget_is_sensitive(target)};
    const bool swallow = (*static_cast<PressHandler*>(data))(press);
    gtk_gesture_set_state(gesture, swallow ? GTK_EVENT_SEQUENCE_CLAIMED : GTK_EVENT_SEQUENCE_DENIED);
}

void DeleteHandler(gpointer data, GClosure*)
{
    delete static_cast<PressHandler*>(data);
}

} // namespace

void AddPressHook(wxWindow* window, PressHandler handler)
{
    GtkWidget* widget = window->GetHandle();
    GtkGesture* gesture = gtk_gesture_multi_press_new(widget);
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(gesture), 0); // every button
    gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(gesture), GTK_PHASE_CAPTURE);
    g_signal_connect_data(gesture, "pressed", G_CALLBACK(OnPressed), new PressHandler(std::move(handler)),
                          DeleteHandler, GConnectFlags(0));

    // GTK 3 widgets do not own their gestures: the widget keeps them in a
    // list that dies with it.
    auto* gestures = static_cast<GPtrArray*>(g_object_get_data(G_OBJECT(widget), kGesturesKey));
    if (!gestures) {
        gestures = g_ptr_array_new_with_free_func(g_object_unref);
        g_object_set_data_full(G_OBJECT(widget), kGesturesKey, gestures,
                               reinterpret_cast<GDestroyNotify>(g_ptr_array_unref));
    }
    g_ptr_array_add(gestures, gesture);
}
