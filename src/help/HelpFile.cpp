#include "help/HelpFile.h"

#include "text/TextBuffer.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kContentsKey = "sommaire";
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kListMark = "* ";

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// "sommaire" or a decimal context id from 1 to 2^32 - 1, digits only.
std::optional<uint32_t> ParseKey(std::string_view key)
{
    if (key == kContentsKey)
        return kHelpContentsId;
    uint32_t id = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
    if (key.empty() || error != std::errc() || end != key.data() + key.size() || id == kHelpContentsId)
        return std::nullopt;
    return id;
}

// Splits a block's text into words and "{key|words}" links.
bool ParseSpans(std::string_view text, std::vector<HelpSpan>& spans)
{
    while (!text.empty()) {
        const size_t open = text.find('{');
        if (open != 0) {
            spans.push_back({std::string(text.substr(0, open)), std::nullopt});
            if (open == std::string_view::npos)
                break;
            text.remove_prefix(open);
        }
        const size_t close = text.find('}');
        if (close == std::string_view::npos)
            return false;
        const std::string_view link = text.substr(1, close - 1);
        const size_t bar = link.find('|');
        if (bar == std::string_view::npos || link.find('{') != std::string_view::npos)
            return false;
        const std::optional<uint32_t> target = ParseKey(link.substr(0, bar));
        const std::string_view words = Trim(link.substr(bar + 1));
        if (!target || words.empty())
            return false;
        spans.push_back({std::string(words), target});
        text.remove_prefix(close + 1);
    }
    return true;
}

// The section's lines become paragraphs and list items; a line that is not
// blank and does not start an item continues the block before it.
bool ParseBlocks(const std::vector<std::string_view>& lines, std::vector<HelpBlock>& blocks)
{
    std::string text;
    bool listItem = false;
    auto flush = [&] {
        if (text.empty())
            return true;
        HelpBlock block{listItem, {}};
        if (!ParseSpans(text, block.spans))
            return false;
        blocks.push_back(std::move(block));
        text.clear();
        return true;
    };
    for (std::string_view line : lines) {
        line = Trim(line);
        const bool startsItem = line.starts_with(kListMark);
        if (line.empty() || startsItem) {
            if (!flush())
                return false;
            listItem = startsItem;
            if (startsItem)
                line = Trim(line.substr(kListMark.size()));
        }
        if (line.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += line;
    }
    return flush();
}

struct Section
{
    uint32_t id;
    std::string_view title;
    std::vector<std::string_view> lines;
};

void AppendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

} // namespace

std::optional<CHelpFile> CHelpFile::Parse(std::string_view text)
{
    if (text.starts_with(kBom))
        text.remove_prefix(kBom.size());

    std::vector<Section> sections;
    bool markerSeen = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);

        if (!markerSeen) {
            if (line != kHelpFileMarker)
                return std::nullopt;
            markerSeen = true;
        } else if (line.starts_with(';')) {
            continue;
        } else if (line.starts_with('[')) {
            const size_t close = line.find(']');
            const std::optional<uint32_t> id =
                close == std::string_view::npos ? std::nullopt : ParseKey(line.substr(1, close - 1));
            if (!id || std::ranges::any_of(sections, [&](const Section& s) { return s.id == *id; }))
                return std::nullopt;
            sections.push_back({*id, Trim(line.substr(close + 1)), {}});
        } else if (!sections.empty()) {
            sections.back().lines.push_back(line);
        } else if (!Trim(line).empty()) {
            return std::nullopt;
        }
    }

    CHelpFile file;
    for (const Section& section : sections) {
        HelpTopic topic{section.id, std::string(section.title), {}};
        if (!ParseBlocks(section.lines, topic.blocks) || topic.blocks.empty())
            return std::nullopt;
        file.m_topics.push_back(std::move(topic));
    }
    std::ranges::sort(file.m_topics, {}, &HelpTopic::id);

    if (!file.Find(kHelpContentsId))
        return std::nullopt;
    for (const HelpTopic& topic : file.m_topics)
        for (const HelpBlock& block : topic.blocks)
            for (const HelpSpan& span : block.spans)
                if (span.link && !file.Find(*span.link))
                    return std::nullopt;
    return file;
}

std::optional<CHelpFile> CHelpFile::Read(const char* path)
{
    CTextBuffer text;
    if (!text.LoadFile(path))
        return std::nullopt;
    return Parse(text.View());
}

const HelpTopic* CHelpFile::Find(uint32_t id) const
{
    const auto it = std::ranges::lower_bound(m_topics, id, {}, &HelpTopic::id);
    return it != m_topics.end() && it->id == id ? &*it : nullptr;
}

std::string FormatHelpText(const HelpTopic& topic)
{
    std::string out;
    const HelpBlock* previous = nullptr;
    for (const HelpBlock& block : topic.blocks) {
        if (previous)
            out += previous->listItem && block.listItem ? "\n" : "\n\n";
        if (block.listItem)
            out += "\xE2\x80\xA2 "; // a bullet
        for (const HelpSpan& span : block.spans)
            out += span.text;
        previous = &block;
    }
    return out;
}

std::string FormatHelpHtml(const HelpTopic& topic)
{
    std::string out = "<html><body>";
    if (!topic.title.empty()) {
        out += "<h3>";
        AppendEscaped(out, topic.title);
        out += "</h3>";
    }
    bool inList = false;
    for (const HelpBlock& block : topic.blocks) {
        if (block.listItem != inList) {
            out += block.listItem ? "<ul>" : "</ul>";
            inList = block.listItem;
        }
        out += block.listItem ? "<li>" : "<p>";
        for (const HelpSpan& span : block.spans) {
            if (span.link)
                out += "<a href=\"" + std::to_string(*span.link) + "\">";
            AppendEscaped(out, span.text);
            if (span.link)
                out += "</a>";
        }
        out += block.listItem ? "</li>" : "</p>";
    }
    if (inList)
        out += "</ul>";
    out += "</body></html>";
    return out;
}

std::optional<uint32_t> ParseHelpLink(std::string_view address)
{
    uint32_t id = 0;
    const auto [end, error] = std::from_chars(address.data(), address.data() + address.size(), id);
    if (address.empty() || error != std::errc() || end != address.data() + address.size())
        return std::nullopt;
    return id;
}
