// The opening body tag of an HTML text, found and read as a browser's parser
// finds and reads it. Positions are byte offsets into the text, so a caller
// can keep or stream the untouched text around the tag and its attributes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TagAttribute
{
    std::string name;  // ASCII letters lower-cased
    std::string value; // DecodeAttributeValue of the raw value; empty when there is none
    size_t begin;      // the attribute's first byte (of its name)
    size_t end;        // past its last byte (the closing quote, when quoted)
    size_t valueBegin; // the raw value without its quotes: [valueBegin, valueEnd)
    size_t valueEnd;

    bool operator==(const TagAttribute&) const = default;
};

struct BodyStartTag
{
    size_t begin; // the '<'
    size_t end;   // past the closing '>', or the end of the text when the tag is not closed
    // Each name once, from its first occurrence (a browser drops the repeats), in text order.
    std::vector<TagAttribute> attributes;

    const TagAttribute* Find(std::string_view name) const;
    bool operator==(const BodyStartTag&) const = default;
};

// The first body start tag: "<body" in any case followed by white space, '/'
// or '>' (or the end of the text), outside comments, other markup
// declarations, the content of script, style, textarea, title, xmp, iframe,
// noembed, noframes and noscript, and template contents; nothing after
// <plaintext>. A quoted attribute value may hold '>'. Nothing when there is
// no such tag. Outside svg and math content, this is the tag a browser reads.
std::optional<BodyStartTag> FindBodyStartTag(std::string_view text);

// FindBodyStartTag for a text that comes in pieces, such as a file read a
// piece at a time: only the bytes from the start of the construct being read
// are kept, so a page is never held whole. The same tag as FindBodyStartTag
// on the whole text, its offsets counted from the text's start.
class CBodyTagScanner
{
public:
    // Space after the bytes kept for at least `want` more, and for no more
    // than `atMost` when that is larger (the rest of a file): put the next
    // bytes of the text at its start, then call Scan with their count.
    std::span<char> Room(size_t want, size_t atMost = SIZE_MAX);
    // Reads on over the next `count` bytes; `last` when the text ends with
    // them. True once the result is known: no later byte can change it.
    bool Scan(size_t count, bool last);

    // Scan for a text held by the caller, without copying it in: the last
    // Kept() bytes of the text given to the call before, then the next bytes.
    bool ScanIn(std::string_view text, bool last);
    size_t Kept() const { return m_nKept; }
    // Takes in the bytes kept from the last ScanIn, for Room and Scan to go on.
    void Hold(std::string_view kept);

    const std::optional<BodyStartTag>& Tag() const { return m_tag; }
    // Where the construct being read starts: no tag found later begins before it.
    uint64_t Settled() const { return m_nBase; }
    // The bytes of the tag found, from its '<' to its end.
    std::string_view TagText() const;

private:
    // The scan of text (the kept bytes, then the next ones) wherever it is held.
    bool Read(std::string_view text, bool last);

    struct Free
    {
        void operator()(char* block) const { std::free(block); }
    };
    std::unique_ptr<char, Free> m_pBuffer;
    size_t m_nCapacity = 0;
    size_t m_nKept = 0; // bytes in the buffer, the first at offset m_nBase of the text
    size_t m_nBase = 0;
    size_t m_nPos = 0;       // where the scan goes on, in the buffer
    size_t m_nTemplates = 0; // open template elements
    bool m_bDone = false;
    std::optional<BodyStartTag> m_tag;
};

// Reads an open file from its current offset through the scanner, as far as
// the scanner needs (see gets each piece read, in order, and the file's offset
// is past the last one); at most the size the file had when the read began,
// as CTextBuffer::LoadFile reads it. False on a read error or a file over
// CTextBuffer::maxLength bytes. A big file is read a piece ahead of the scan,
// on a second thread.
bool ScanFile(int fd, CBodyTagScanner& scanner, const std::function<void(std::string_view piece)>& see);
