#include "ui/WordWrap.h"
#include "model/WrapText.h"
#include "res/ResourceIds.h"
#include "ui/TextConv.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <string>
#include <vector>

namespace {

std::u32string Wide(const wxString& text)
{
    const std::wstring wide = text.ToStdWstring();
    return {wide.begin(), wide.end()};
}

} // namespace

// Words are measured one by one and lines whole only near the width: the
// breaks must stay those of measuring every candidate line whole, most of
// all at widths a line just fits or just misses, and where the serif face
// kerns across the blanks (the sum of its words is then pixels off).
TEST(WordWrap, BreaksWhereWholeLineMeasuringDoes)
{
    wxBitmap bitmap(8, 8);
    wxMemoryDC dc(bitmap);
    const auto whole = [&dc](const std::u32string& piece) {
        return dc.GetTextExtent(wxString(std::wstring(piece.begin(), piece.end()))).x;
    };
    const wxFont fonts[] = {wxFont(wxFontInfo(12).FaceName("Times New Roman").Family(wxFONTFAMILY_ROMAN)),
                            wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS).Italic())};
    for (const wxFont& font : fonts) {
        dc.SetFont(font);
        for (const wxString& text : {LoadWxString(IDS_PREVIEW_TOP), LoadWxString(IDS_PREVIEW_BOTTOM),
                                     wxString("A Tout Y Av AWAY. To Wa L'onglet yT Ty Va T A V")}) {
            const std::u32string wide = Wide(text);
            // The first line's every word end, and a pixel either side.
            std::vector<int> widths;
            for (size_t end = wide.find(U' ', 1); end != std::u32string::npos && widths.size() < 36;
                 end = wide.find(U' ', end + 1))
                for (int delta : {-1, 0, 1})
                    widths.push_back(whole(wide.substr(0, end)) + delta);
            for (int width : widths) {
                std::vector<wxString> expected;
                for (const std::u32string& line : WrapText(wide, width, whole))
                    expected.emplace_back(std::wstring(line.begin(), line.end()));
                EXPECT_EQ(WrapLines(dc, text, width), expected) << text << ", width " << width;
            }
        }
    }
}
