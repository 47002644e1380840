// A colour page apart from its controls: its palette with the selected
// swatch, the link colour it edits, and what its value boxes and "&Defaut"
// box show. A page gets its controls at its first display; the model holds
// the page's refresh rules with or without them, so a hidden page's palette
// collects the same colours, and the controls start from the model.
#pragma once

#include "controls/PaletteGridLogic.h"
#include "model/Scheme.h"

class CColourPageModel
{
public:
    // kind: 111, 112 or 113 (bgcolor, text, links). The default palette.
    explicit CColourPageModel(int kind) : m_nKind(kind) {}

    int GetKind() const { return m_nKind; }
    CPaletteGridLogic& Grid() { return m_grid; }
    const CPaletteGridLogic& Grid() const { return m_grid; }

    // 0 link, 1 vlink, 2 alink; -1 when no link button is pressed.
    int GetLink() const { return m_nLink; }
    void SetLink(int link) { m_nLink = link; }
    // The field the page edits; null on the links page without a link.
    COLORREF* SchemeField(Scheme& scheme) const;

    // The new palette (the default one for null). The selected colour stays
    // selected, written into the palette when the new one lacks it.
    void ReplacePalette(const CTextBuffer* text);

    // What a refresh changed.
    struct Refresh
    {
        bool base = false;      // the boxes show the selected colour in the new base
        bool colour = false;    // another colour is selected and shown
        bool isDefault = false; // the default mark went on or off
        // The field is then stored back, normalised to RGB plus the mark.
        bool Stored() const { return colour || isDefault; }
    };
    // The page's refresh from the scheme, in the number base of its value
    // boxes (10 or 16): the rules for a page with or without controls; a page
    // with controls then shows what changed.
    Refresh UpdateFromScheme(Scheme& scheme, int base);
    // The "&Defaut" box of a page with controls, as the user leaves it.
    void SetDefault(bool isDefault) { m_bDefault = isDefault; }

    // What the controls show, as long as they do not exist.
    COLORREF GetShownValues() const { return m_crShown; }
    int GetBase() const { return m_nBase; }
    bool IsDefault() const { return m_bDefault; }

private:
    CPaletteGridLogic m_grid;
    int m_nKind;
    int m_nLink = 0;
    COLORREF m_crShown = 0; // the up-down controls start at 0
    int m_nBase = 10;
    bool m_bDefault = false;
};
