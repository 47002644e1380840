#include "ui/AppIcon.h"

#include "res/Icons.h"

#include <wx/mstream.h>

namespace {

wxVector<wxBitmap> LoadBitmaps()
{
    wxVector<wxBitmap> bitmaps;
    for (int size : kIconSizes) {
        const auto png = GetIconPng(size);
        wxMemoryInputStream stream(png.data(), png.size());
        wxImage image(stream, wxBITMAP_TYPE_PNG);
        if (image.IsOk())
            bitmaps.push_back(wxBitmap(image));
    }
    return bitmaps;
}

} // namespace

wxIconBundle GetApplicationIcons()
{
    wxIconBundle icons;
    for (const wxBitmap& bitmap : LoadBitmaps()) {
        wxIcon icon;
        icon.CopyFromBitmap(bitmap);
        icons.AddIcon(icon);
    }
    return icons;
}
