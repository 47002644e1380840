#include "pages/PageBackground.h"

#include "controls/DialogBuilder.h"
#include "help/ContextHelp.h"
#include "platform/FileDialogs.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/Control.h"
#include "ui/TextConv.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

CPageBackground::CPageBackground(CPageOwner* owner) : CPage(owner)
{}

void CPageBackground::CreateControls()
{
    BuildDialogControls(this, *FindDialogTemplate(IDD_PAGE_BACKGROUND));
    m_wndUseImage = Control<wxCheckBox>(this, IDC_USE_IMAGE);
    m_wndBrowse = Control<wxButton>(this, IDC_BROWSE);
    m_wndFixedImage = Control<wxCheckBox>(this, IDC_FIXED_IMAGE);
    m_wndPath = Control<wxTextCtrl>(this, IDC_IMAGE_PATH);
    m_wndPathLabel = Control<wxStaticText>(this, IDC_IMAGE_LABEL);

    Control<wxStaticText>(this, IDC_BACKGROUND_INFO)->SetLabelText(LoadWxString(IDS_INFO_BACKGROUND));

    m_wndUseImage->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnUseImage(); });
    m_wndFixedImage->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnImageChanged(); });
    m_wndPath->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnImageChanged(); });
    m_wndBrowse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });

    UpdateFromScheme();
    InstallContextHelp(this, IDD_PAGE_BACKGROUND);
}

void CPageBackground::UpdateFromScheme()
{
    Scheme& scheme = m_pOwner->GetScheme();
    if (!HasControls()) {
        // What the check boxes would store back.
        scheme.useback = scheme.useback != 0;
        scheme.watermark = scheme.watermark != 0;
        m_pOwner->UpdateBodyCode();
        return;
    }
    m_wndUseImage->SetValue(scheme.useback != 0);
    m_wndFixedImage->SetValue(scheme.watermark != 0);
    m_wndPath->SetValue(BytesToDisplay(scheme.background));
    EnableImageControls(scheme.useback != 0);
}

void CPageBackground::EnableImageControls(bool on)
{
    m_wndFixedImage->Enable(on);
    m_wndPathLabel->Enable(on);
    m_wndPath->Enable(on);
    m_wndBrowse->Enable(on);
}

void CPageBackground::OnUseImage()
{
    EnableImageControls(m_wndUseImage->GetValue());
    OnImageChanged();
}

void CPageBackground::OnImageChanged()
{
    Scheme& scheme = m_pOwner->GetScheme();
    scheme.useback = m_wndUseImage->GetValue() ? 1 : 0;
    scheme.watermark = m_wndFixedImage->GetValue() ? 1 : 0;
    // A path read from a file in another encoding is shown as Latin-1; its
    // bytes are kept until the text in the box really changes.
    const wxString shown = m_wndPath->GetValue();
    if (shown != BytesToDisplay(scheme.background)) {
        const std::string bytes = DisplayToBytes(shown);
        scheme.background.assign(bytes.data(), uint32_t(bytes.size()));
    }
    m_pOwner->UpdateBodyCode();
}

void CPageBackground::OnBrowse()
{
    CFileDialog dialog(this, IDS_TITLE_IMAGE, IDS_FILTER_IMAGE, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        m_wndPath->SetValue(dialog.GetPath());
}
