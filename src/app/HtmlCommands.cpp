// The HTML import and export commands of the main window.
#include "app/BodyTagDlg.h"

void CBodyTagDlg::OnImportHtml() {}

void CBodyTagDlg::OnExportHtml() {}
