#include "text/BodyStartTag.h"

#include "files/AtomicFile.h"
#include "model/Ascii.h"
#include "text/CharacterReferences.h"
#include "text/MarkupSkip.h"
#include "text/TextBuffer.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>
#include <unordered_set>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Byte classes of the tokenizer, looked up in one table on the hot paths.
enum : uint8_t
{
    kSpace = 1,  // ends names and unquoted values
    kSlash = 2,  // ends names
    kClose = 4,  // '>': ends names, unquoted values and tags
    kEquals = 8, // ends attribute names
};

constexpr auto kClasses = [] {
    std::array<uint8_t, 256> classes{};
    for (char c : {' ', '\t', '\n', '\f', '\r'})
        classes[uint8_t(c)] = kSpace;
    classes['/'] = kSlash;
    classes['>'] = kClose;
    classes['='] = kEquals;
    return classes;
}();

bool Is(char c, uint8_t classes)
{
    return (kClasses[uint8_t(c)] & classes) != 0;
}

// The offset of the first c at or after from, or the text's size.
size_t FindByte(std::string_view text, size_t from, char c)
{
    if (from >= text.size())
        return text.size();
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit ? size_t(static_cast<const char*>(hit) - text.data()) : text.size();
}

struct RawAttribute
{
    size_t begin, nameEnd, valueBegin, valueEnd, end;
};

// Reads the attributes of a tag from the end of its name to past its '>' (or
// to the end of the text), which it returns; sink gets each attribute.
template <class Sink> size_t ScanAttributes(std::string_view text, size_t p, Sink&& sink)
{
    const size_t n = text.size();
    for (;;) {
        // Between attributes a '/' not followed by '>' reads as a blank.
        while (p < n && Is(text[p], kSpace | kSlash))
            ++p;
        if (p >= n)
            return n;
        if (text[p] == '>')
            return p + 1;
        // The first byte starts the name whatever it is, even '='.
        const size_t begin = p++;
        while (p < n && !Is(text[p], kSpace | kSlash | kClose | kEquals))
            ++p;
        const size_t nameEnd = p;
        while (p < n && Is(text[p], kSpace))
            ++p;
        if (p >= n || text[p] != '=') {
            sink(RawAttribute{begin, nameEnd, nameEnd, nameEnd, nameEnd});
            continue;
        }
        ++p;
        while (p < n && Is(text[p], kSpace))
            ++p;
        if (p < n && (text[p] == '"' || text[p] == '\'')) {
            const size_t valueBegin = p + 1;
            const size_t valueEnd = FindByte(text, valueBegin, text[p]);
            p = valueEnd < n ? valueEnd + 1 : n;
            sink(RawAttribute{begin, nameEnd, valueBegin, valueEnd, p});
            continue;
        }
        const size_t valueBegin = p;
        while (p < n && !Is(text[p], kSpace | kClose))
            ++p;
        sink(RawAttribute{begin, nameEnd, valueBegin, p, p});
    }
}

size_t SkipAttributes(std::string_view text, size_t p)
{
    if (p < text.size() && text[p] == '>') // most tags have no attributes
        return p + 1;
    return ScanAttributes(text, p, [](const RawAttribute&) {});
}

// A tag name starts at p; the offset past it.
size_t TagNameEnd(std::string_view text, size_t p)
{
    while (p < text.size() && !Is(text[p], kSpace | kSlash | kClose))
        ++p;
    return p;
}

// "<name" or "</name" (per slash) at p, followed by a blank, '/' or '>';
// the offset of that following byte, or 0.
size_t NamedTagAt(std::string_view text, size_t p, std::string_view name, bool slash)
{
    const size_t start = p + 1 + slash;
    const size_t after = start + name.size();
    if (after >= text.size() || text[p] != '<' || (slash && text[p + 1] != '/'))
        return 0;
    if (!EqualsIgnoreAsciiCase(text.substr(start, name.size()), name))
        return 0;
    return Is(text[after], kSpace | kSlash | kClose) ? after : 0;
}

// Past the end tag of a title, textarea, style, xmp, iframe, noembed,
// noframes or noscript whose content starts at p.
size_t SkipRawText(std::string_view text, size_t p, std::string_view name)
{
    for (;; ++p) {
        p = FindByte(text, p, '<');
        if (p >= text.size())
            return p;
        if (const size_t after = NamedTagAt(text, p, name, true))
            return SkipAttributes(text, after);
    }
}

// Past the end tag of a script whose content starts at p. Inside "<!--", a
// "<script" starts a stretch where "</script" does not end the script, up
// to the next "</script" or "-->", as a browser reads old inline scripts.
size_t SkipScript(std::string_view text, size_t p)
{
    enum
    {
        Plain,
        Escaped,
        DoubleEscaped
    } state = Plain;
    const size_t n = text.size();
    while (p < n) {
        if (state == Plain) {
            p = FindByte(text, p, '<');
            if (p >= n)
                return n;
            if (const size_t after = NamedTagAt(text, p, "script", true))
                return SkipAttributes(text, after);
            if (text.substr(p, 4) == "<!--") {
                state = Escaped;
                p += 4;
                // The dashes of "<!--" may end it at once: "<!-->".
                if (p < n && text[p] == '>')
                    state = Plain;
                continue;
            }
            ++p;
            continue;
        }
        const char c = text[p];
        if (c == '>' && text[p - 1] == '-' && text[p - 2] == '-') {
            state = Plain;
            ++p;
        } else if (c == '<' && state == Escaped) {
            if (const size_t after = NamedTagAt(text, p, "script", true))
                return SkipAttributes(text, after);
            const size_t after = NamedTagAt(text, p, "script", false);
            if (after)
                state = DoubleEscaped;
            p = after ? after + 1 : p + 1;
        } else if (c == '<') {
            const size_t after = NamedTagAt(text, p, "script", true);
            if (after)
                state = Escaped;
            p = after ? after + 1 : p + 1;
        } else {
            ++p;
        }
    }
    return n;
}

// Past the comment whose text starts at p (after "<!--").
size_t SkipComment(std::string_view text, size_t p)
{
    const size_t n = text.size();
    if (p < n && text[p] == '>')
        return p + 1;
    if (text.substr(p, 2) == "->")
        return p + 2;
    for (;;) {
        p = FindByte(text, p, '-');
        if (p + 1 >= n)
            return n;
        if (text[p + 1] != '-') {
            ++p;
            continue;
        }
        p += 2;
        while (p < n && text[p] == '-')
            ++p;
        if (p < n && text[p] == '>')
            return p + 1;
        if (text.substr(p, 2) == "!>")
            return p + 2;
    }
}

enum class Content
{
    Markup,
    RawText,
    Script,
    PlainText,
    Body,     // markup, and the tag looked for
    Template, // markup, in which a body tag does not count
};

// The elements read by name: those whose content is not markup, the body and the template.
constexpr struct
{
    std::string_view name;
    Content content;
} kElements[] = {
    {"iframe", Content::RawText},   {"noembed", Content::RawText},     {"noframes", Content::RawText},
    {"noscript", Content::RawText}, {"plaintext", Content::PlainText}, {"script", Content::Script},
    {"style", Content::RawText},    {"textarea", Content::RawText},    {"title", Content::RawText},
    {"xmp", Content::RawText},      {"body", Content::Body},           {"template", Content::Template},
};

Content ContentOf(std::string_view name)
{
    for (const auto& element : kElements)
        if (EqualsIgnoreAsciiCase(name, element.name))
            return element.content;
    return Content::Markup;
}

// Bit b of row a: a tag name starting with the letters 'a' + a, 'a' + b (in
// any case) may be one of kElements. Most tags are none of them, and are
// skipped without comparing their names.
constexpr auto kElementStarts = [] {
    std::array<uint32_t, 26> rows{};
    for (const auto& element : kElements)
        rows[size_t(element.name[0] - 'a')] |= uint32_t(1) << (element.name[1] - 'a');
    return rows;
}();

BodyStartTag ReadBodyStartTag(std::string_view text, size_t begin, size_t nameEnd)
{
    BodyStartTag tag{begin, 0, {}};
    std::unordered_set<std::string> seen;
    tag.end = ScanAttributes(text, nameEnd, [&](const RawAttribute& raw) {
        std::string name(text.substr(raw.begin, raw.nameEnd - raw.begin));
        for (char& c : name)
            c = AsciiLower(c);
        if (!seen.insert(name).second)
            return;
        const std::string_view value = text.substr(raw.valueBegin, raw.valueEnd - raw.valueBegin);
        tag.attributes.push_back(
            {std::move(name), DecodeAttributeValue(value), raw.begin, raw.end, raw.valueBegin, raw.valueEnd});
    });
    return tag;
}

} // namespace

bool MayBeElement(char first, char second)
{
    if (!IsAsciiAlpha(first) || !IsAsciiAlpha(second))
        return false;
    return (kElementStarts[size_t(AsciiLower(first) - 'a')] >> (AsciiLower(second) - 'a')) & 1;
}

const TagAttribute* BodyStartTag::Find(std::string_view name) const
{
    for (const TagAttribute& attribute : attributes)
        if (attribute.name == name)
            return &attribute;
    return nullptr;
}

namespace {

enum class ScanEnd
{
    Found,
    None,
    NeedMore, // a construct runs past the text's end: scan again from p with more text
};

// Scans from p, a position in markup, with `templates` template elements
// open. Without `last`, a construct cut by the text's end may read
// differently once more text comes: the scan then stops at its start.
ScanEnd ScanText(std::string_view text, bool last, size_t& p, size_t& templates, std::optional<BodyStartTag>& tag)
{
    const size_t n = text.size();
    for (;;) {
        if (templates == 0)
            p = SkipOrdinaryMarkup(text, p);
        const size_t start = FindByte(text, p, '<');
        p = start;
        if (start + 1 >= n)
            return last ? ScanEnd::None : ScanEnd::NeedMore;
        const char next = text[start + 1];
        size_t end = start + 1; // past the construct
        size_t opened = 0, closed = 0;
        if (IsAsciiAlpha(next)) {
            const size_t nameEnd = TagNameEnd(text, start + 1);
            if (nameEnd >= n && !last)
                return ScanEnd::NeedMore;
            if (!MayBeElement(next, start + 2 < n ? text[start + 2] : ' ')) {
                end = SkipAttributes(text, nameEnd);
            } else {
                const std::string_view name = text.substr(start + 1, nameEnd - start - 1);
                const Content content = ContentOf(name);
                if (content == Content::Body && templates == 0) {
                    BodyStartTag found = ReadBodyStartTag(text, start, nameEnd);
                    if (found.end >= n && !last)
                        return ScanEnd::NeedMore;
                    tag = std::move(found);
                    return ScanEnd::Found;
                }
                const size_t contentStart = SkipAttributes(text, nameEnd);
                switch (content) {
                case Content::Template:
                    opened = 1;
                    end = contentStart;
                    break;
                case Content::Markup:
                case Content::Body:
                    end = contentStart;
                    break;
                case Content::RawText:
                    end = SkipRawText(text, contentStart, name);
                    break;
                case Content::Script:
                    end = SkipScript(text, contentStart);
                    break;
                case Content::PlainText:
                    return ScanEnd::None;
                }
            }
        } else if (next == '/' && start + 2 < n && IsAsciiAlpha(text[start + 2])) {
            const size_t nameEnd = TagNameEnd(text, start + 2);
            closed = templates > 0 && EqualsIgnoreAsciiCase(text.substr(start + 2, nameEnd - start - 2), "template");
            end = SkipAttributes(text, nameEnd);
        } else if (text.substr(start + 1, 3) == "!--") {
            end = SkipComment(text, start + 4);
        } else if (next == '!' || next == '?' || next == '/') {
            // Declarations, processing instructions and "</" without a name end at the first '>'.
            end = FindByte(text, start + 2, '>') + 1;
        }
        if (end >= n && !last)
            return ScanEnd::NeedMore;
        templates += opened;
        templates -= closed;
        p = end;
    }
}

} // namespace

std::optional<BodyStartTag> FindBodyStartTag(std::string_view text)
{
    std::optional<BodyStartTag> tag;
    size_t p = 0, templates = 0;
    ScanText(text, true, p, templates, tag);
    return tag;
}

std::span<char> CBodyTagScanner::Room(size_t want, size_t atMost)
{
    // Room for at least as much as is kept, so that a construct read again
    // from its start with more text doubles each time: linear in all. The
    // block grows in place where it can (realloc moves pages, not bytes), so
    // a page that is one long comment is held once, not twice.
    const size_t need = m_nKept + std::min(std::max(want, m_nKept), std::max(want, atMost));
    if (need > m_nCapacity) {
        void* bigger = std::realloc(m_pBuffer.get(), need);
        if (bigger == nullptr)
            throw std::bad_alloc();
        (void)m_pBuffer.release();
        m_pBuffer.reset(static_cast<char*>(bigger));
        m_nCapacity = need;
    }
    return {m_pBuffer.get() + m_nKept, m_nCapacity - m_nKept};
}

bool CBodyTagScanner::Read(std::string_view text, bool last)
{
    m_nKept = text.size();
    switch (ScanText(text, last, m_nPos, m_nTemplates, m_tag)) {
    case ScanEnd::Found:
        m_tag->begin += m_nBase;
        m_tag->end += m_nBase;
        for (TagAttribute& attribute : m_tag->attributes)
            for (size_t* offset : {&attribute.begin, &attribute.end, &attribute.valueBegin, &attribute.valueEnd})
                *offset += m_nBase;
        m_bDone = true;
        return true;
    case ScanEnd::None:
        m_bDone = true;
        return true;
    case ScanEnd::NeedMore:
        break;
    }
    // Only the construct being read is kept.
    const size_t drop = std::min(m_nPos, text.size());
    m_nKept = text.size() - drop;
    m_nBase += drop;
    m_nPos = 0;
    return false;
}

bool CBodyTagScanner::Scan(size_t count, bool last)
{
    if (m_bDone)
        return true;
    const size_t base = m_nBase;
    if (Read({m_pBuffer.get(), m_nKept + count}, last))
        return true;
    if (m_nBase > base && m_nKept > 0)
        std::memmove(m_pBuffer.get(), m_pBuffer.get() + (m_nBase - base), m_nKept);
    return false;
}

bool CBodyTagScanner::ScanIn(std::string_view text, bool last)
{
    if (m_bDone)
        return true;
    if (!Read(text, last))
        return false;
    if (m_tag) {
        Hold(text.substr(m_tag->begin - m_nBase, m_tag->end - m_tag->begin));
        m_nBase = m_tag->begin;
    }
    return true;
}

void CBodyTagScanner::Hold(std::string_view kept)
{
    m_nKept = 0;
    std::memcpy(Room(kept.size()).data(), kept.data(), kept.size());
    m_nKept = kept.size();
}

std::string_view CBodyTagScanner::TagText() const
{
    if (!m_tag)
        return {};
    return {m_pBuffer.get() + (m_tag->begin - m_nBase), m_tag->end - m_tag->begin};
}

namespace {

// A piece stays in the processor's cache between the copy and the scan.
constexpr size_t kPiece = size_t(256) << 10;
// From this size on, a second thread reads the next piece while the scanner
// reads the current one. Each piece is read behind room for the construct
// kept from the piece before, which alone is copied; a longer construct
// goes on the plain way, whose buffer doubles.
constexpr uint64_t kReadAheadFrom = uint64_t(4) << 20;
constexpr size_t kHeadroom = size_t(64) << 10;
// Pieces read ahead are larger: fewer hand-overs between the two threads.
constexpr size_t kAheadPiece = size_t(1) << 20;

// Reads a file's pieces in order on a thread of its own, into a ring of
// blocks each with room in front for the construct kept from the piece
// before: up to kBlocks - 1 pieces ahead of the one being scanned.
class CReadAhead
{
public:
    struct Piece
    {
        char* data = nullptr;
        size_t size = 0;
        bool last = false; // the file ends with it
    };

    CReadAhead(int fd, size_t left)
        : m_nFd(fd), m_nLeft(left), m_pBlocks(new char[kBlocks * kBlock]), m_thread([this] { Run(); })
    {}
    CReadAhead(const CReadAhead&) = delete;
    CReadAhead& operator=(const CReadAhead&) = delete;
    ~CReadAhead() { Stop(); }

    // The next piece once it is read; once stopped, a null piece after the
    // last one read. False on a read error.
    bool Next(Piece& piece)
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return m_nRead != m_nTaken || m_bFailed || m_bStop; });
        if (m_nRead == m_nTaken) {
            piece = {};
            return !m_bFailed;
        }
        piece = {Block(m_nTaken), m_nSizes[m_nTaken % kBlocks], m_bEnded && m_nTaken + 1 == m_nRead};
        ++m_nTaken;
        lock.unlock();
        m_wake.notify_all();
        return true;
    }

    // Where the piece after the one taken last goes: the kept construct goes
    // in front of it.
    char* NextBlock() const { return Block(m_nTaken); }

    // Waits for the read under way; no other starts.
    void Stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_bStop = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    // The bytes not read yet, once stopped.
    size_t Left() const { return m_nLeft; }

private:
    static constexpr size_t kBlocks = 3;
    static constexpr size_t kBlock = kHeadroom + kAheadPiece;

    char* Block(size_t piece) const { return m_pBlocks.get() + piece % kBlocks * kBlock + kHeadroom; }

    void Run()
    {
        std::unique_lock lock(m_mutex);
        while (!m_bEnded && !m_bFailed) {
            // A block is free once the scan has gone on to the piece after its last one.
            m_wake.wait(lock, [this] { return m_bStop || m_nRead + 1 < m_nTaken + kBlocks; });
            if (m_bStop)
                break;
            char* const into = Block(m_nRead);
            const size_t asked = std::min(m_nLeft, kAheadPiece);
            lock.unlock();
            size_t got = 0;
            const bool read = ReadUpTo(m_nFd, into, asked, got);
            lock.lock();
            m_bFailed = !read;
            if (read) {
                m_nSizes[m_nRead % kBlocks] = got;
                m_nLeft -= got;
                m_bEnded = got < asked || m_nLeft == 0;
                ++m_nRead;
            }
            m_wake.notify_all();
        }
    }

    const int m_nFd;
    size_t m_nLeft;
    const std::unique_ptr<char[]> m_pBlocks;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::array<size_t, kBlocks> m_nSizes{};
    size_t m_nRead = 0;  // pieces read
    size_t m_nTaken = 0; // pieces handed to the scan
    bool m_bEnded = false;
    bool m_bFailed = false;
    bool m_bStop = false;
    std::thread m_thread; // last: it starts once the rest is set
};

enum class Ahead
{
    Failed,
    Done,
    Plain, // the scan goes on the plain way
};

// ScanFile's loop for a big file: `left` bytes are still to read.
Ahead ScanAhead(int fd, CBodyTagScanner& scanner, const std::function<void(std::string_view piece)>& see, size_t& left)
{
    CReadAhead reader(fd, left);
    CReadAhead::Piece piece;
    bool done = false;
    for (size_t kept = 0; !done;) {
        if (!reader.Next(piece))
            return Ahead::Failed;
        if (see)
            see({piece.data, piece.size});
        done = scanner.ScanIn({piece.data - kept, kept + piece.size}, piece.last);
        kept = scanner.Kept();
        if (!done && kept > kHeadroom) {
            scanner.Hold({piece.data + piece.size - kept, kept});
            break;
        }
        if (!done)
            std::memcpy(reader.NextBlock() - kept, piece.data + piece.size - kept, kept);
    }
    // The pieces read meanwhile are seen in order, and scanned the plain way
    // after the long construct that the scanner now holds.
    reader.Stop();
    for (;;) {
        if (!reader.Next(piece))
            return Ahead::Failed;
        if (piece.data == nullptr)
            break;
        if (see)
            see({piece.data, piece.size});
        if (!done) {
            std::memcpy(scanner.Room(piece.size).data(), piece.data, piece.size);
            done = scanner.Scan(piece.size, piece.last);
        }
    }
    left = reader.Left();
    return done ? Ahead::Done : Ahead::Plain;
}

} // namespace

bool ScanFile(int fd, CBodyTagScanner& scanner, const std::function<void(std::string_view piece)>& see)
{
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_size < 0 || uint64_t(st.st_size) > CTextBuffer::maxLength)
        return false;
    size_t left = size_t(st.st_size);
    if (left >= kReadAheadFrom) {
        switch (ScanAhead(fd, scanner, see, left)) {
        case Ahead::Failed:
            return false;
        case Ahead::Done:
            return true;
        case Ahead::Plain:
            break;
        }
    }
    for (bool done = false; !done;) {
        const std::span<char> room = scanner.Room(std::min(left, kPiece), left);
        const ssize_t n = ::read(fd, room.data(), std::min(left, room.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        left -= size_t(n);
        if (see)
            see({room.data(), size_t(n)});
        done = scanner.Scan(size_t(n), n == 0 || left == 0);
    }
    return true;
}
