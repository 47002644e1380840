#include "text/HtmlExport.h"

#include "files/AtomicFile.h"
#include "text/BodyStartTag.h"
#include "text/TextBuffer.h"

#include <filesystem>
#include <system_error>

namespace {

bool FileIsMissing(const char* path)
{
    std::error_code error;
    return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

std::string_view FirstLineEnd(std::string_view text)
{
    const size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos)
        return "\r\n";
    if (text[end] == '\n')
        return "\n";
    return text.substr(end, 2) == "\r\n" ? "\r\n" : "\r";
}

} // namespace

BodyTagRewrite PlanBodyTagRewrite(std::string_view text, std::string_view newTag)
{
    return PlanBodyTagRewrite(text, [newTag](const BodyStartTag*) { return std::string(newTag); });
}

BodyTagRewrite PlanBodyTagRewrite(std::string_view text, const BodyTagMaker& makeTag)
{
    const std::optional<BodyStartTag> tag = FindBodyStartTag(text);
    const std::string made = makeTag(tag ? &*tag : nullptr);
    const std::string_view newTag = std::string_view(made).substr(0, made.find('\0'));
    if (!tag)
        return {{}, std::string(newTag), text};

    std::string_view inside = text.substr(tag->begin + 1, tag->end - tag->begin - 1);
    if (inside.ends_with('>'))
        inside.remove_suffix(1);
    std::string replacement(newTag);
    replacement += FirstLineEnd(text);
    replacement += "<!-- ";
    for (size_t i = 0; i < inside.size(); ++i) {
        replacement += inside[i];
        if (inside[i] == '-' && i + 1 < inside.size() && inside[i + 1] == '-')
            replacement += ' ';
    }
    replacement += " -->";
    return {text.substr(0, tag->begin), std::move(replacement), text.substr(tag->end)};
}

ExportResult ExportBodyTag(const char* path, std::string_view newTag, bool skipRead)
{
    return ExportBodyTag(
        path, [newTag](const BodyStartTag*) { return std::string(newTag); }, skipRead);
}

ExportResult ExportBodyTag(const char* path, const BodyTagMaker& makeTag, bool skipRead)
{
    CTextBuffer file;
    const bool missing = FileIsMissing(path);
    // Only a missing file may be treated as empty; an unreadable one would
    // otherwise lose its content to the new tag alone.
    if (!skipRead && !file.LoadFile(path) && !missing)
        return ExportResult::CannotRead;
    const BodyTagRewrite rewrite = PlanBodyTagRewrite(file.View(), makeTag);
    if (rewrite.before.size() + rewrite.replacement.size() + rewrite.after.size() > CTextBuffer::maxLength)
        return ExportResult::CannotWrite;
    const bool written = ReplaceFile(path, [&](const FilePieceWriter& write) {
        return write(rewrite.before) && write(rewrite.replacement) && write(rewrite.after);
    });
    if (written)
        return ExportResult::Exported;
    return missing ? ExportResult::CannotCreate : ExportResult::CannotWrite;
}
