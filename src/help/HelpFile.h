// The help file: popup texts, topics and the contents page, read whole from
// one UTF-8 text file. Pure logic: no window header here.
//
// The file's form:
//
//   VELLORAN-AIDE 1
//   ; a comment line
//   [sommaire] Aide de Velloran
//   Bienvenue dans l'aide.
//
//   * {4200003|Astuces}
//   [4200003] Astuces
//   Une première astuce, sur une ou plusieurs lignes.
//
// The first line is the marker above. A line that begins with "[" heads a
// section: the key in brackets (a context id from 1 to 4294967295, or
// "sommaire" for the contents page) and an optional title. The lines up to
// the next heading are the section's text: blank lines end paragraphs, a
// line that begins with "* " starts a list item, and "{id|words}" links the
// words to the topic of that key. Lines that begin with ";" are left out.
// Line ends are LF or CR LF.
//
// A file is refused whole (so the caller reports it as unreadable) when the
// marker is missing, text stands before the first heading, a heading or a
// link is malformed, a key appears twice, a section has no text, a link
// names a key the file lacks, or the contents page is missing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr std::string_view kHelpFileMarker = "VELLORAN-AIDE 1";
// The key of the contents page; no context id is 0.
constexpr uint32_t kHelpContentsId = 0;

struct HelpSpan
{
    std::string text;
    std::optional<uint32_t> link; // the topic the words lead to
};

struct HelpBlock
{
    bool listItem = false; // else a paragraph
    std::vector<HelpSpan> spans;
};

struct HelpTopic
{
    uint32_t id = 0;
    std::string title; // may be empty
    std::vector<HelpBlock> blocks;
};

class CHelpFile
{
public:
    // Null when the text is not a well-formed help file.
    static std::optional<CHelpFile> Parse(std::string_view text);
    // Null when the file cannot be read or is not a well-formed help file.
    static std::optional<CHelpFile> Read(const char* path);

    // Null when the file has no section of that key.
    const HelpTopic* Find(uint32_t id) const;
    const HelpTopic& GetContents() const { return *Find(kHelpContentsId); }
    // Sorted by key, the contents page first.
    const std::vector<HelpTopic>& GetTopics() const { return m_topics; }

private:
    std::vector<HelpTopic> m_topics;
};

// The topic as plain text, as a popup shows it: paragraphs apart by a blank
// line, list items on lines of their own after a bullet, links as their
// words. The title is left out.
std::string FormatHelpText(const HelpTopic& topic);

// The topic as an HTML page: the title as a heading, paragraphs, lists, and
// links whose address is the decimal key of their topic.
std::string FormatHelpHtml(const HelpTopic& topic);

// The key a link address of FormatHelpHtml leads to; null for any other text.
std::optional<uint32_t> ParseHelpLink(std::string_view address);
