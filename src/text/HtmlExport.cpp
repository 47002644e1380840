#include "text/HtmlExport.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

bool FileIsMissing(const char* path)
{
    std::error_code error;
    return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

} // namespace

bool RewriteBodyTag(CTextBuffer& file, std::string_view newTag)
{
    const std::string tag(UpToNul(newTag));
    const int32_t start = file.Find("<body", 0, true);
    if (start < 0)
        return file.Prepend(tag.c_str(), uint32_t(tag.size()));

    const int32_t close = file.Find(">", uint32_t(start) + 1);
    const uint32_t end = close < 0 ? file.Length() : uint32_t(close) + 1;
    const std::string oldTag(UpToNul(file.View().substr(uint32_t(start), end - uint32_t(start))));
    std::string_view inside = std::string_view(oldTag).substr(1);
    if (inside.ends_with('>'))
        inside.remove_suffix(1);

    // Built by concatenation: the tag may hold '%' and must go in literally.
    std::string replacement = tag;
    replacement += "\r\n<!-- ";
    replacement += inside;
    replacement += " -->";
    return file.Replace(oldTag.c_str(), replacement.c_str(), 'S') > 0;
}

ExportResult ExportBodyTag(const char* path, std::string_view newTag, bool skipRead)
{
    CTextBuffer file;
    // Only a missing file may be treated as empty; an unreadable one would
    // otherwise lose its content to the new tag alone.
    if (!skipRead && !file.LoadFile(path) && !FileIsMissing(path))
        return ExportResult::CannotRead;
    if (!RewriteBodyTag(file, newTag))
        return ExportResult::CannotWrite;
    return file.SaveFile(path) ? ExportResult::Exported : ExportResult::CannotWrite;
}
