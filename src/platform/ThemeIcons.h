// The check marks of GTK's built-in Adwaita theme without its SVG renderer.
//
// Adwaita draws the mark of a checked box or radio button from an SVG, which
// loads librsvg (about 8 MB of memory, 20 million instructions at the first
// paint); the theme ships the same marks pre-rendered for one-to-one pixels,
// which give the same pixels there.
#pragma once

// Points checked boxes, radio buttons and menu check marks at the
// pre-rendered marks, when the theme is Adwaita shown one-to-one; otherwise
// changes nothing. The user's own gtk.css still wins.
void UsePrerenderedCheckMarks();
