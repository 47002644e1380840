#include "text/HtmlExport.h"

#include "files/AtomicFile.h"
#include "text/BodyStartTag.h"
#include "text/TextBuffer.h"

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>

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

// From this size on, the old text that the scan has passed is copied into the
// new content on a thread of its own while the scan goes on, in stretches of
// this size: the wall time is then the longer of the scan and the copy, not
// their sum.
constexpr uint64_t kCopyAheadStretch = uint64_t(8) << 20;

// Everything before the construct the scanner keeps comes before any tag it
// may still find, so that much of the old text is settled.
class CSettledCopier
{
public:
    explicit CSettledCopier(const OldContentCopier& copyOld) : m_copyOld(copyOld), m_thread([this] { Run(); }) {}
    CSettledCopier(const CSettledCopier&) = delete;
    CSettledCopier& operator=(const CSettledCopier&) = delete;
    ~CSettledCopier() { Stop(); }

    void Settle(uint64_t offset)
    {
        std::unique_lock lock(m_mutex);
        m_nSettled = offset;
        if (m_nSettled - m_nCopied >= kCopyAheadStretch) {
            lock.unlock();
            m_wake.notify_one();
        }
    }

    // Waits for the copy under way. How much of the old text's start the new
    // content holds; nothing when a copy failed.
    std::optional<uint64_t> Stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_bStop = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
        return m_bFailed ? std::nullopt : std::optional(m_nCopied);
    }

private:
    void Run()
    {
        std::unique_lock lock(m_mutex);
        while (!m_bFailed) {
            m_wake.wait(lock, [this] { return m_bStop || m_nSettled - m_nCopied >= kCopyAheadStretch; });
            if (m_bStop)
                break;
            const uint64_t from = m_nCopied, length = m_nSettled - m_nCopied;
            lock.unlock();
            bool copied = false;
            try {
                copied = m_copyOld(from, length);
            } catch (...) {
            }
            lock.lock();
            m_nCopied += copied ? length : 0;
            m_bFailed = !copied;
        }
    }

    const OldContentCopier& m_copyOld;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    uint64_t m_nSettled = 0;
    uint64_t m_nCopied = 0;
    bool m_bStop = false;
    bool m_bFailed = false;
    std::thread m_thread; // last: it starts once the rest is set
};

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
                                            const OldContentCopier& copyOld, const NewContentRestarter& startOver) {
        CBodyTagScanner scanner;
        CFirstLineEnd lineEnd;
        uint64_t size = 0, copied = 0;
        if (!skipRead && old) {
            struct stat st;
            readFailed = oldContent < 0 || ::fstat(oldContent, &st) != 0 || ::lseek(oldContent, 0, SEEK_SET) != 0;
            if (readFailed)
                return false;
            size = uint64_t(st.st_size);
            std::optional<CSettledCopier> ahead;
            if (size >= kCopyAheadStretch)
                ahead.emplace(copyOld);
            readFailed = !ScanFile(oldContent, scanner, [&](std::string_view piece) {
                lineEnd.See(piece);
                if (ahead)
                    ahead->Settle(scanner.Settled());
            }) || (scanner.Tag() && !FindLineEnd(oldContent, lineEnd));
            if (readFailed)
                return false;
            if (ahead) {
                const std::optional<uint64_t> done = ahead->Stop();
                if (!done)
                    return false;
                copied = *done;
            }
        }
        const std::optional<BodyStartTag>& tag = scanner.Tag();
        const std::string replacement = Replacement(makeTag(tag ? &*tag : nullptr), scanner.TagText(), lineEnd.Get());
        const uint64_t before = tag ? tag->begin : 0, after = tag ? tag->end : 0;
        tooLong = before + replacement.size() + (size - after) > CTextBuffer::maxLength;
        if (tooLong)
            return false;
        // Without a tag the new one goes first: what was copied ahead goes.
        if (!tag && copied > 0 && !startOver())
            return false;
        const uint64_t from = tag ? copied : 0;
        // A copy falls short when the file was cut after it was read.
        return copyOld(from, before - from) && write(replacement) && copyOld(after, size - after);
    });
    if (written)
        return ExportResult::Exported;
    if (readFailed)
        return ExportResult::CannotRead;
    return missing && !tooLong ? ExportResult::CannotCreate : ExportResult::CannotWrite;
}
