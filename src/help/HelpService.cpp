#include "help/HelpService.h"

#include "help/HelpFile.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/AppIcon.h"
#include "ui/TextConv.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/html/htmlwin.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>
#include <wx/tipwin.h>
#include <wx/utils.h>

#include <optional>
#include <vector>

namespace {

constexpr wxCoord kPopupWidth = 320; // where popup lines break, in pixels
const wxSize kHelpWindowSize(480, 420);

// The window, unless it is gone or on its way out: a closed popup or help
// window lingers until the next idle time, and must not be closed twice.
template <typename T> T* Alive(const wxWeakRef<T>& window)
{
    return window && !window->IsBeingDeleted() && !wxTheApp->IsScheduledForDestruction(window.get()) ? window.get()
                                                                                                     : nullptr;
}

// The help window: one page at a time; its links lead to other topics, and
// "Précédent" (Alt+Left, Backspace) goes back through the pages shown.
class CHelpWindow : public wxFrame
{
public:
    CHelpWindow() : wxFrame(nullptr, wxID_ANY, wxString(), wxDefaultPosition, kHelpWindowSize)
    {
        SetIcons(GetApplicationIcons());
        auto* panel = new wxPanel(this);
        m_wndBack = new wxButton(panel, wxID_BACKWARD, LoadWxString(IDS_HELP_BACK));
        m_wndHtml = new wxHtmlWindow(panel);
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(m_wndBack, wxSizerFlags().Border(wxALL, FromDIP(4)));
        column->Add(m_wndHtml, wxSizerFlags(1).Expand());
        panel->SetSizer(column);
        m_wndBack->Disable();
        m_wndBack->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { GoBack(); });
        m_wndHtml->Bind(wxEVT_HTML_LINK_CLICKED, &CHelpWindow::OnLink, this);
        Bind(wxEVT_CHAR_HOOK, &CHelpWindow::OnCharHook, this);
    }

    void ShowPage(const wxString& title, const wxString& html)
    {
        if (!m_current.html.empty())
            m_history.push_back(m_current);
        Display({title, html});
    }

    bool CanGoBack() const { return !m_history.empty(); }

private:
    struct Page
    {
        wxString title;
        wxString html;
    };

    void Display(const Page& page)
    {
        m_current = page;
        SetTitle(page.title);
        m_wndHtml->SetPage(page.html);
        m_wndBack->Enable(CanGoBack());
        Show();
        Raise();
    }

    void GoBack()
    {
        if (!CanGoBack())
            return;
        const Page previous = m_history.back();
        m_history.pop_back();
        Display(previous);
    }

    void OnLink(wxHtmlLinkEvent& event)
    {
        if (const auto id = ParseHelpLink(DisplayToBytes(event.GetLinkInfo().GetHref())))
            CallHelp(this, *id == kHelpContentsId ? HelpCommand::Contents : HelpCommand::Topic, *id);
    }

    void OnCharHook(wxKeyEvent& event)
    {
        const int key = event.GetKeyCode();
        if ((key == WXK_LEFT && event.GetModifiers() == wxMOD_ALT) || (key == WXK_BACK && !event.HasAnyModifiers()))
            GoBack();
        else
            event.Skip();
    }

    wxButton* m_wndBack;
    wxHtmlWindow* m_wndHtml;
    Page m_current;
    std::vector<Page> m_history; // the pages before the current one, oldest first
};

} // namespace

CHelpService& CHelpService::Get()
{
    static CHelpService service;
    return service;
}

wxString CHelpService::GetHelpFilePath() const
{
    if (!m_sPath.empty())
        return m_sPath;
    return FindHelpFile(wxStandardPaths::Get().GetExecutablePath());
}

wxString FindHelpFile(const wxString& executablePath)
{
    wxFileName beside(executablePath);
    beside.SetExt("hlp");
    if (beside.FileExists())
        return beside.GetFullPath();
    wxFileName installed(beside);
    installed.RemoveLastDir();
    installed.AppendDir("share");
    installed.AppendDir("velloran");
    return installed.FileExists() ? installed.GetFullPath() : beside.GetFullPath();
}

wxString CHelpService::GetPopupText() const
{
    return Alive(m_wndPopup) ? m_sPopupText : wxString();
}

wxWindow* CHelpService::GetPopupWindow() const
{
    return Alive(m_wndPopup);
}

bool CHelpService::Run(wxWindow* owner, HelpCommand command, uint32_t id)
{
    m_lastRequest = HelpRequest{command, id};
    if (command == HelpCommand::Quit) {
        CloseAll();
        return true;
    }
    const std::optional<CHelpFile> file = CHelpFile::Read(GetHelpFilePath().fn_str());
    if (!file)
        return false;

    const HelpTopic& contents = file->GetContents();
    const HelpTopic* topic = command == HelpCommand::Contents ? &contents : file->Find(id);
    if (command == HelpCommand::Popup) {
        ShowPopup(owner, topic ? BytesToDisplay(FormatHelpText(*topic)) : LoadWxString(IDS_HELP_NO_TOPIC));
        return true;
    }
    const HelpTopic missing{id, contents.title, {{false, {{LoadResString(IDS_HELP_NO_TOPIC), std::nullopt}}}}};
    if (!topic)
        topic = &missing;
    ShowPage(BytesToDisplay(topic->title.empty() ? contents.title : topic->title),
             BytesToDisplay(FormatHelpHtml(*topic)));
    return true;
}

void CHelpService::ShowPopup(wxWindow* owner, const wxString& text)
{
    ClosePopup();
    wxWindow* parent = owner ? wxGetTopLevelParent(owner) : wxTheApp->GetTopWindow();
    m_sPopupText = text;
    m_wndPopup = new wxTipWindow(parent, text, kPopupWidth);
    // Under the popup's grab the keys reach its text view, which holds the
    // focus, not the popup; wx itself closes it only on a click.
    for (wxWindow* view : m_wndPopup->GetChildren())
        view->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_ESCAPE)
                ClosePopup();
            else
                event.Skip();
        });
}

void CHelpService::ClosePopup()
{
    if (wxTipWindow* popup = Alive(m_wndPopup))
        popup->Close();
}

void CHelpService::ShowPage(const wxString& title, const wxString& html)
{
    if (!Alive(m_wndHelp))
        m_wndHelp = new CHelpWindow;
    static_cast<CHelpWindow*>(m_wndHelp.get())->ShowPage(title, html);
}

void CHelpService::CloseAll()
{
    ClosePopup();
    if (wxFrame* help = Alive(m_wndHelp))
        help->Destroy();
}

namespace {

// Whoever tracks the mouse (an up-down arrow held down, a drag) stops, as
// if the capture had been taken from it.
void CancelTracking()
{
    wxWindow* capture = wxWindow::GetCapture();
    if (!capture)
        return;
    capture->ReleaseMouse();
    wxMouseCaptureLostEvent lost(capture->GetId());
    lost.SetEventObject(capture);
    capture->GetEventHandler()->ProcessEvent(lost);
}

} // namespace

void CallHelp(wxWindow* owner, HelpCommand command, uint32_t id)
{
    bool done = false;
    {
        // Quit only closes windows: nothing to wait for, and a busy cursor
        // would load the cursor theme while the program ends.
        std::optional<wxBusyCursor> wait;
        if (command != HelpCommand::Quit)
            wait.emplace();
        CancelTracking();
        done = CHelpService::Get().Run(owner, command, id);
    }
    if (!done)
        wxMessageBox(LoadWxString(IDS_HELP_OPEN_FAILED), LoadWxString(IDS_MESSAGE_CAPTION), wxOK | wxICON_ERROR,
                     owner ? wxGetTopLevelParent(owner) : nullptr);
}
