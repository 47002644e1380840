#include "text/HtmlExport.h"

#include "files/AtomicFile.h"
#include "text/BodyStartTag.h"
#include "text/TextBuffer.h"

#include <filesystem>
#include <system_error>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool FileIsMissing(const char* path)
{
    std::error_code error;
    return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

// The first line end of a text seen a piece at a time.
class CFirstLineEnd
{
public:
    void See(std::string_view piece)
    {
        if (piece.empty() || !m_end.empty())
            return;
        if (m_bCarriageReturn) {
            m_end = piece[0] == '\n' ? "\r\n" : "\r";
            return;
        }
        const size_t at = piece.find_first_of("\r\n");
        if (at == std::string_view::npos)
            return;
        if (piece[at] == '\n')
            m_end = "\n";
        else if (at + 1 < piece.size())
            m_end = piece[at + 1] == '\n' ? "\r\n" : "\r";
        else
            m_bCarriageReturn = true;
    }
    bool Known() const { return !m_end.empty(); }
    // At the text's end: CR LF when it has none.
    std::string_view Get() const { return Known() ? m_end : m_bCarriageReturn ? "\r" : "\r\n"; }

private:
    std::string_view m_end;
    bool m_bCarriageReturn = false; // the last piece ended with a CR
};

// The new tag (up to its first NUL), a line end and the old tag in a comment.
std::string Replacement(const std::string& made, std::string_view oldTag, std::string_view lineEnd)
{
    const std::string_view newTag = std::string_view(made).substr(0, made.find('\0'));
    if (oldTag.empty())
        return std::string(newTag);
    std::string_view inside = oldTag.substr(1);
    if (inside.ends_with('>'))
        inside.remove_suffix(1);
    std::string replacement(newTag);
    replacement += lineEnd;
    replacement += "<!-- ";
    for (size_t i = 0; i < inside.size(); ++i) {
        replacement += inside[i];
        if (inside[i] == '-' && i + 1 < inside.size() && inside[i + 1] == '-')
            replacement += ' ';
    }
    replacement += " -->";
    return replacement;
}

// Reads on until the first line end is known.
bool FindLineEnd(int fd, CFirstLineEnd& lineEnd)
{
    char piece[65536];
    while (!lineEnd.Known()) {
        const ssize_t n = ::read(fd, piece, sizeof piece);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        lineEnd.See({piece, size_t(n)});
    }
    return true;
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
    if (!tag)
        return {{}, Replacement(made, {}, {}), text};
    CFirstLineEnd lineEnd;
    lineEnd.See(text);
    const std::string_view oldTag = text.substr(tag->begin, tag->end - tag->begin);
    return {text.substr(0, tag->begin), Replacement(made, oldTag, lineEnd.Get()), text.substr(tag->end)};
}

ExportResult ExportBodyTag(const char* path, std::string_view newTag, bool skipRead)
{
    return ExportBodyTag(
        path, [newTag](const BodyStartTag*) { return std::string(newTag); }, skipRead);
}

ExportResult ExportBodyTag(const char* path, const BodyTagMaker& makeTag, bool skipRead)
{
    const bool missing = FileIsMissing(path);
    // Only a missing file may be treated as empty; an unreadable one would
    // otherwise lose its content to the new tag alone.
    if (!skipRead && !missing) {
        const int fd = OpenRegularFile(path);
        struct stat st;
        const bool readable = fd >= 0 && ::fstat(fd, &st) == 0 && uint64_t(st.st_size) <= CTextBuffer::maxLength;
        if (fd >= 0)
            ::close(fd);
        if (!readable)
            return ExportResult::CannotRead;
    }
    bool readFailed = false, tooLong = false;
    const bool written = EditFile(path, [&](int oldContent, const struct stat* old, const FilePieceWriter& write,
                                            const OldContentCopier& copyOld) {
        CBodyTagScanner scanner;
        CFirstLineEnd lineEnd;
        uint64_t size = 0;
        if (!skipRead && old) {
            struct stat st;
            readFailed = oldContent < 0 || ::fstat(oldContent, &st) != 0 || ::lseek(oldContent, 0, SEEK_SET) != 0 ||
                         !ScanFile(oldContent, scanner, [&](std::string_view piece) { lineEnd.See(piece); }) ||
                         (scanner.Tag() && !FindLineEnd(oldContent, lineEnd));
            if (readFailed)
                return false;
            size = uint64_t(st.st_size);
        }
        const std::optional<BodyStartTag>& tag = scanner.Tag();
        const std::string replacement = Replacement(makeTag(tag ? &*tag : nullptr), scanner.TagText(), lineEnd.Get());
        const uint64_t before = tag ? tag->begin : 0, after = tag ? tag->end : 0;
        tooLong = before + replacement.size() + (size - after) > CTextBuffer::maxLength;
        // A copy falls short when the file was cut after it was read.
        return !tooLong && copyOld(0, before) && write(replacement) && copyOld(after, size - after);
    });
    if (written)
        return ExportResult::Exported;
    if (readFailed)
        return ExportResult::CannotRead;
    return missing && !tooLong ? ExportResult::CannotCreate : ExportResult::CannotWrite;
}
