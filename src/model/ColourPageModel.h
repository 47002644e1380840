// A colour page apart from its controls: its palette with the selected
// swatch, the link colour it edits, and what its value boxes and "&Defaut"
// box show. A page gets its controls at its first display; until then the
// model refreshes from the scheme as the page would, so a hidden page's
// palette collects the same colours, and the controls start from the model.
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

    // The refresh of a page without controls, in the number base of its
    // value boxes (10 or 16). Returns true when the page would have stored
    // its colour (the field may then be normalised to RGB plus the mark).
    bool UpdateFromScheme(Scheme& scheme, int base);

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
