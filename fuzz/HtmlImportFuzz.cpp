// Import of random attribute text and random file text: never reads out of
// bounds, and what it reads survives being written as a tag and read again.
#include "HtmlFuzz.h"
#include "model/BodyTag.h"
#include "text/HtmlImport.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);

    Scheme direct;
    ApplyBodyAttributes(text, direct);
    Require(direct.useback <= 1 && direct.watermark <= 1);
    Require(direct.useback || direct.background.Length() == 0);

    const CTextBuffer file(text.data(), uint32_t(size));
    Scheme before;
    before.background.Assign("before.gif");
    Scheme imported = before;
    const ImportResult result = ImportBodyText(file, imported);
    Require((result == ImportResult::Imported) == (FindBodyIgnoringCase(text) != std::string_view::npos));
    if (result != ImportResult::Imported) {
        Require(imported == before);
        return 0;
    }

    // A file's attribute text holds no '>', so every value read can be written back.
    const bool tagsUpper = size & 1, hexUpper = size & 2;
    const std::string tag = BuildBodyTag(imported, tagsUpper, hexUpper);
    Scheme again = imported;
    Require(ImportBodyText(CTextBuffer(tag.c_str()), again) == ImportResult::Imported);
    if (!imported.useback)
        imported.watermark = 0; // not written without an image
    Require(again == imported);
    return 0;
}
