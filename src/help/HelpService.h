// Our help engine, in place of a desktop help viewer: popup texts, topics
// and the contents page of the application's help file (res/HelpFile.h).
//
// The help file lies beside the executable and is named after it: the
// executable's path with its extension replaced by ".hlp" (on Linux the
// executable has none, so build/src/app/velloran reads
// build/src/app/velloran.hlp). When none lies there, as for an installed
// program, whose data stays out of bin/, it is the file of the same name in
// ../share/velloran/: /usr/bin/velloran reads /usr/share/velloran/velloran.hlp.
// It is read afresh for every request, so a file replaced or removed while
// the program runs is noticed at the next request.
#pragma once

#include <wx/string.h>
#include <wx/weakref.h>

#include <cstdint>
#include <optional>

class wxFrame;
class wxTipWindow;
class wxWindow;

enum class HelpCommand
{
    Popup,    // the text of a context id in a small window beside the pointer
    Topic,    // a topic by id in the help window
    Contents, // the contents page in the help window
    Quit,     // the program is done with help: every help window closes
};

struct HelpRequest
{
    HelpCommand command;
    uint32_t id;
};

class CHelpService
{
public:
    static CHelpService& Get();

    // Shows what the command asks for, for owner's top-level window. False,
    // with nothing shown, when the help file cannot be read or is not a
    // help file; a topic missing from a good file is shown as such. Quit
    // reads no file and always succeeds.
    bool Run(wxWindow* owner, HelpCommand command, uint32_t id);

    // The file to read instead of the one beside the executable (an empty
    // path goes back to that one).
    void SetHelpFilePath(const wxString& path) { m_sPath = path; }
    wxString GetHelpFilePath() const;

    // The request most recently run, and what the help windows show now
    // (empty, or null, once they are closed).
    std::optional<HelpRequest> GetLastRequest() const { return m_lastRequest; }
    wxString GetPopupText() const;
    wxWindow* GetPopupWindow() const;
    wxFrame* GetHelpWindow() const { return m_wndHelp.get(); }

private:
    CHelpService() = default;

    void ShowPopup(wxWindow* owner, const wxString& text);
    void ClosePopup();
    void ShowPage(const wxString& title, const wxString& html);
    void CloseAll();

    wxString m_sPath;
    std::optional<HelpRequest> m_lastRequest;
    wxWeakRef<wxTipWindow> m_wndPopup;
    wxString m_sPopupText;
    wxWeakRef<wxFrame> m_wndHelp;
};

// The help file of the program at executablePath, looked for as said above;
// the path beside it when neither file exists.
wxString FindHelpFile(const wxString& executablePath);

// Every help call of the program: shows the wait cursor, cancels any mouse
// tracking, runs the command, and when the help file cannot be read says so
// in the message box "Echec de l'ouverture du fichier d'aide.".
void CallHelp(wxWindow* owner, HelpCommand command, uint32_t id = 0);
