// Import of random file text: never reads out of bounds, finds a tag exactly
// when the text has one (read whole or in pieces), and what it reads survives being written as a tag
// and read again. The fast path of the reader never skips the tag.
#include "HtmlFuzz.h"
#include "model/BodyTag.h"
#include "text/HtmlImport.h"
#include "text/MarkupSkip.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);

    const std::optional<BodyStartTag> tag = FindBodyStartTag(text);
    // The reader's fast path, with either vector width, never goes past the tag.
    const size_t skipped = SkipOrdinaryMarkup(text, 0);
    Require(skipped == SkipOrdinaryMarkupBy16(text, 0) && skipped <= (tag ? tag->begin : size));
    // Read a piece at a time, as from a file, or read ahead, it is the same tag.
    const size_t piece = size_t(1) + (size > 0 ? bytes[0] % 17 : 0);
    for (const CBodyTagScanner& pieces : {ScanInPieces(text, piece), ScanAheadInPieces(text, piece, size % 13)}) {
        Require(pieces.Tag() == tag);
        Require(!tag || pieces.TagText() == text.substr(tag->begin, tag->end - tag->begin));
    }
    if (tag) {
        Require(tag->begin < tag->end && tag->end <= size && text[tag->begin] == '<');
        Require(FindBodyIgnoringCase(text.substr(tag->begin)) == 0);
        for (const TagAttribute& attribute : tag->attributes) {
            Require(tag->begin < attribute.begin && attribute.begin < attribute.end && attribute.end <= tag->end);
            Require(attribute.valueBegin <= attribute.valueEnd && attribute.valueEnd <= attribute.end);
        }
    }

    const CTextBuffer file(text.data(), uint32_t(size));
    Scheme before;
    before.background.assign("before.gif");
    Scheme imported = before;
    const ImportResult result = ImportBodyText(file, imported);
    Require((result == ImportResult::Imported) == tag.has_value());
    if (result != ImportResult::Imported) {
        Require(imported == before);
        return 0;
    }
    Require(imported.useback <= 1 && imported.watermark <= 1);

    const bool tagsUpper = size & 1, hexUpper = size & 2;
    const std::string written = BuildBodyTag(imported, tagsUpper, hexUpper);
    Scheme again = before;
    Require(ImportBodyText(CTextBuffer(written.data(), uint32_t(written.size())), again) == ImportResult::Imported);
    if (!imported.useback) {
        // Neither is written without an image; a path that a style's "none"
        // turned off stays in the scheme for the background page.
        imported.watermark = 0;
        imported.background = before.background;
    }
    Require(again == imported);
    return 0;
}
