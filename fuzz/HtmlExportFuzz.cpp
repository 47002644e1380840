// Export of random file text with a random tag, through a real file: the
// text around the tag a browser finds is kept byte for byte, the tag becomes
// the new tag and one comment that holds the old tag and cannot end early.
#include "HtmlFuzz.h"
#include "text/BodyStartTag.h"
#include "text/HtmlExport.h"
#include "text/TextBuffer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

std::string WithoutBlanksBetweenDashes(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == ' ' && i > 0 && text[i - 1] == '-' && i + 1 < text.size() && text[i + 1] == '-'))
            out += text[i];
    return out;
}

// One scratch page for the whole run, in a folder of its own.
const std::string& PagePath()
{
    static const std::string path = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "velloran-fuzz-XXXXXX").string();
        Require(mkdtemp(folder.data()) != nullptr);
        return folder + "/page.html";
    }();
    return path;
}

// The file-level export gives the same bytes as the rewrite in memory, and a
// skipped read leaves the tag alone in the file.
void RequireFileExport(std::string_view original, std::string_view tag, std::string_view rewritten)
{
    const std::string& path = PagePath();
    Require(CTextBuffer(original.data(), uint32_t(original.size())).SaveFile(path.c_str()));
    Require(ExportBodyTag(path.c_str(), tag, false) == ExportResult::Exported);
    CTextBuffer back;
    Require(back.LoadFile(path.c_str()) && back.View() == rewritten);
    Require(ExportBodyTag(path.c_str(), tag, true) == ExportResult::Exported);
    Require(back.LoadFile(path.c_str()) && back.View() == UpToNul(tag));
}

} // namespace

// The first byte gives the tag's length, the tag follows, the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    const size_t tagLength = bytes[0] < input.size() ? bytes[0] : input.size();
    const std::string_view tag = input.substr(0, tagLength);
    const std::string_view original = input.substr(tagLength);

    const BodyTagRewrite rewrite = PlanBodyTagRewrite(original, tag);
    const std::string joined = std::string(rewrite.before) + rewrite.replacement + std::string(rewrite.after);
    const std::string_view result = joined;
    const std::string_view newTag = UpToNul(tag);
    RequireFileExport(original, tag, result);

    const std::optional<BodyStartTag> old = FindBodyStartTag(original);
    if (!old) {
        Require(result.size() == newTag.size() + original.size());
        Require(result.starts_with(newTag) && result.ends_with(original));
        return 0;
    }
    const std::string_view before = original.substr(0, old->begin), after = original.substr(old->end);
    Require(result.starts_with(before) && result.ends_with(after));
    Require(result.size() >= before.size() + after.size());
    std::string_view middle = result.substr(before.size(), result.size() - before.size() - after.size());
    Require(middle.starts_with(newTag));
    middle.remove_prefix(newTag.size());
    for (std::string_view end : {"\r\n", "\n", "\r"})
        if (middle.starts_with(end)) {
            middle.remove_prefix(end.size());
            break;
        }
    Require(middle.starts_with("<!-- ") && middle.ends_with(" -->"));
    const std::string_view comment = middle.substr(5, middle.size() - 9);
    Require(comment.find("--") == std::string_view::npos);
    // Up to blanks between dashes, the comment is the old tag's inside.
    std::string_view oldInside = original.substr(old->begin + 1, old->end - old->begin - 1);
    if (oldInside.ends_with('>'))
        oldInside.remove_suffix(1);
    Require(WithoutBlanksBetweenDashes(comment) == WithoutBlanksBetweenDashes(oldInside));
    return 0;
}
