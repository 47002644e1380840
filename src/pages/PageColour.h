// The page under each colour tab: one colour of the scheme (three on the
// links page, chosen with its link buttons), set by value boxes, by the
// palette grid, by the desktop's colour dialog or by the eyedropper.
//
// The current colour is the colour of the grid's selected swatch: editing
// the values writes into that swatch, so the palette collects the user's
// colours. The page keeps no copy of the scheme: every change is written
// straight into the owner's scheme, with the default mark when "&Defaut" is
// checked, and the owner regenerates the body tag.
#pragma once

#include "model/ColourPageModel.h"
#include "pages/Page.h"

class CPaletteGrid;
class CSpinButton;
class wxCheckBox;
class wxTextCtrl;
class wxToggleButton;

class CPageColour : public CPage
{
public:
    // kind is 111, 112 or 113 (bgcolor, text, links), also the string id of
    // the page's info text. The palette exists from here on, without a window.
    CPageColour(CPageOwner* owner, int kind);

    void UpdateFromScheme() override;

    // Replace the palette and keep the current colour selected (written into
    // the palette when the new one lacks it). Neither touches the fields or
    // the scheme; both work before the page has controls.
    void LoadPalette(const CTextBuffer& text);
    void ResetPalette();
    CTextBuffer GetPaletteText() const { return m_model.Grid().GetPaletteText(); }

protected:
    void CreateControls() override;

private:
    void OnChangeRgb();
    void StoreColour();
    void OnDefault();
    void OnGridSelect(wxCommandEvent& event);
    void OnLinkButton(wxCommandEvent& event);
    void OnLinkKind();
    void OnCopyHex();
    void OnEditColour();
    void OnPipette();

    // Sets the three up-down controls to the colour's components; each
    // shows its number in its box in the current base.
    void SetPositions(COLORREF colour);
    void EnableColourControls(bool enabled);
    // As if the grid had been clicked: the fields follow its selected colour.
    void SendGridNotice();
    void ShowHex(COLORREF colour);
    // 16 when "&Valeurs RGB ou Hex" is checked, else 10.
    int InputBase() const;
    // The box's background says that its text is no colour.
    void ShowHexError(bool error);
    // Enter or the focus leaving the hex box: a colour typed there becomes
    // the current colour; other text leaves it and marks the box.
    void OnHexEntered();
    // The new palette (the default one for null), keeping the colour.
    void ReplacePalette(const CTextBuffer* text);
    // The model's link from the link buttons, once the links page has them:
    // the pressed one, or -1.
    void ReadLinkButtons();
    // The scheme field the page edits; null on the links page when no link
    // button is pressed.
    COLORREF* SchemeField();

    CColourPageModel m_model;
    CPaletteGrid* m_wndGrid = nullptr;   // null until the page has controls
    CSpinButton* m_wndRedSpin = nullptr; // null until the window exists
    CSpinButton* m_wndGreenSpin = nullptr;
    CSpinButton* m_wndBlueSpin = nullptr;
    wxTextCtrl* m_wndHex = nullptr;
    wxCheckBox* m_wndDefault = nullptr;
    wxToggleButton* m_wndLinks[3] = {};

    bool m_bUpdating = false; // the page itself sets the up-down positions
    bool m_bHexError = false; // the hex box shows text that is no colour
};
