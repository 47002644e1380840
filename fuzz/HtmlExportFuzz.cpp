// Export of random file text with a random tag, through a real file: every
// byte outside the replaced tags is kept in order, and each copy of the old
// tag becomes the new tag with the old one's inside in a comment.
#include "HtmlFuzz.h"
#include "text/HtmlExport.h"

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

    CTextBuffer file(original.data(), uint32_t(original.size()));
    Require(RewriteBodyTag(file, tag));
    const std::string_view result = file.View();
    const std::string_view newTag = UpToNul(tag);
    RequireFileExport(original, tag, result);

    const size_t start = FindBodyIgnoringCase(original);
    if (start == std::string_view::npos) {
        Require(result.size() == newTag.size() + original.size());
        Require(result.starts_with(newTag) && result.ends_with(original));
        return 0;
    }
    const size_t close = original.find('>', start + 1);
    const size_t end = close == std::string_view::npos ? original.size() : close + 1;
    const std::string_view oldTag = UpToNul(original.substr(start, end - start));

    // Walk the original and the result together: the bytes between copies of
    // the old tag are equal, each copy stands as the replacement.
    size_t from = 0, at = 0, copies = 0;
    for (size_t next; (next = original.find(oldTag, from)) != std::string_view::npos; from = next + oldTag.size()) {
        const std::string_view between = original.substr(from, next - from);
        Require(result.substr(at, between.size()) == between);
        at += between.size();
        Require(result.substr(at).starts_with(newTag));
        at += newTag.size();
        std::string_view inside = oldTag.substr(1);
        if (inside.ends_with('>'))
            inside.remove_suffix(1);
        const std::string comment = "\r\n<!-- " + std::string(inside) + " -->";
        Require(result.substr(at).starts_with(comment));
        at += comment.size();
        ++copies;
    }
    Require(copies >= 1);
    Require(result.substr(at) == original.substr(from));
    return 0;
}
