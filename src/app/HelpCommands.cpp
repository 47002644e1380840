// The help commands and the about box of the main window.
#include "app/BodyTagDlg.h"

void CBodyTagDlg::OnHelpFinder() {}

void CBodyTagDlg::OnHelpTips() {}

void CBodyTagDlg::OnAbout() {}

void CBodyTagDlg::OnExplain() {}
