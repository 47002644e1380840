#include "model/ColourPageModel.h"

#include "res/ResourceIds.h"

COLORREF* CColourPageModel::SchemeField(Scheme& scheme) const
{
    switch (m_nKind) {
    case IDS_INFO_BGCOLOR:
        return &scheme.bgcolor;
    case IDS_INFO_TEXT:
        return &scheme.text;
    case IDS_INFO_LINKS:
        switch (m_nLink) {
        case 0:
            return &scheme.link;
        case 1:
            return &scheme.vlink;
        case 2:
            return &scheme.alink;
        }
        break;
    }
    return nullptr;
}

void CColourPageModel::ReplacePalette(const CTextBuffer* text)
{
    const COLORREF keep = m_grid.GetSelectedColour() & kRgbMask;
    if (text)
        m_grid.SetPaletteText(*text);
    else
        m_grid.SetDefaultPalette();
    m_grid.SelectColour(keep);
}

CColourPageModel::Refresh CColourPageModel::UpdateFromScheme(Scheme& scheme, int base)
{
    COLORREF* field = SchemeField(scheme);
    const COLORREF value = field ? *field : kDefaultMark;
    Refresh change;
    // A change of base rewrites the boxes with the selected colour.
    if (base != m_nBase) {
        m_nBase = base;
        m_crShown = m_grid.GetSelectedColour() & kRgbMask;
        change.base = true;
    }
    if ((value & kRgbMask) != m_grid.GetSelectedColour()) {
        m_grid.SelectColour(value & kRgbMask);
        m_crShown = value & kRgbMask;
        m_grid.SetSelectedColour(m_crShown);
        change.colour = true;
    }
    if (m_bDefault != IsDefaultColour(value)) {
        m_bDefault = IsDefaultColour(value);
        change.isDefault = true;
    }
    if (change.Stored() && field)
        *field = m_grid.GetSelectedColour() | (m_bDefault ? kDefaultMark : 0);
    return change;
}
