// The stored settings and the palette commands of the main window.
#include "app/BodyTagDlg.h"

bool CBodyTagDlg::SaveSettings(bool, bool, bool) { return true; }

void CBodyTagDlg::LoadSettings(bool, bool, bool) {}

CTextBuffer CBodyTagDlg::GetCurrentPaletteText() const { return CTextBuffer(); }

void CBodyTagDlg::OnLoadDefaultScheme()
{
    LoadSettings(false, true, false);
    RefreshPages();
}

void CBodyTagDlg::OnSaveDefaultScheme() { SaveSettings(false, true, false); }

void CBodyTagDlg::OnLoadPaletteFile() {}

void CBodyTagDlg::OnSavePaletteFile() {}

void CBodyTagDlg::OnLoadDefaultPalette() { LoadSettings(false, false, true); }

void CBodyTagDlg::OnSaveDefaultPalette() {}
