// A real main window with one tab selected, for the tests of the pages.
#pragma once

#include "Harness.h"
#include "app/BodyTagDlg.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/uiaction.h>

namespace VelloranTest {

class CPageFixture : public ::testing::Test
{
protected:
    explicit CPageFixture(int tab) : m_nTab(tab) {}

    void SetUp() override
    {
        m_dlg = new CBodyTagDlg;
        m_dlg->Show();
        m_dlg->Raise();
        m_dlg->GetTabs()->SetSelection(m_nTab);
        m_page = m_dlg->GetTabs()->GetPage(m_nTab);
        ASSERT_TRUE(WaitFor([&] { return m_page->IsShownOnScreen(); }));
        Pump(100);
    }
    void TearDown() override
    {
        m_dlg->Destroy();
        Pump();
    }

    template <typename T = wxWindow> T* Control(int id) const
    {
        T* control = dynamic_cast<T*>(m_page->FindWindow(id));
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }

    // A real click in the middle of the control, as the user gives it: a
    // disabled or covered control does not hear it.
    void Click(wxWindow* control)
    {
        wxUIActionSimulator sim;
        sim.MouseMove(control->GetScreenRect().GetPosition() + control->GetSize() / 2);
        Pump(20);
        sim.MouseClick();
        Pump(50);
    }
    bool IsChecked(int id) const { return Control<wxCheckBox>(id)->GetValue(); }

    const std::string& Tag() const { return m_dlg->GetBodyCode(); }
    Scheme& GetScheme() const { return m_dlg->GetScheme(); }

    CBodyTagDlg* m_dlg = nullptr;
    wxWindow* m_page = nullptr;

private:
    int m_nTab;
};

} // namespace VelloranTest
