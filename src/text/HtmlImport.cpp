#include "text/HtmlImport.h"

#include "text/Numbers.h"

#include <cstring>

namespace {

constexpr size_t kMaxName = 19;
constexpr size_t kMaxValue = 49;

bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsSeparator(char c)
{
    return IsWhite(c) || c == '=' || c == '"';
}

// The attribute text as the tokenizer sees it: a C string that, unless a NUL
// cut it short, ends with one blank so that a value ending the tag is still
// followed by a separator.
class CAttributeCursor
{
public:
    explicit CAttributeCursor(std::string_view text)
        : m_text(text.substr(0, text.find('\0'))), m_bBlankAfter(m_text.size() == text.size())
    {}

    // Never reads past the text: the blank, then NUL for ever.
    char At(size_t i) const
    {
        if (i < m_text.size())
            return m_text[i];
        return i == m_text.size() && m_bBlankAfter ? ' ' : '\0';
    }

    // One past the last byte of the token starting at i, which is taken
    // whatever it is: the first separator or NUL after it.
    size_t TokenEnd(size_t i) const
    {
        for (++i; At(i) != '\0' && !IsSeparator(At(i)); ++i) {
        }
        return i;
    }

    std::string_view Slice(size_t begin, size_t end) const { return m_text.substr(begin, end - begin); }

private:
    std::string_view m_text;
    bool m_bBlankAfter;
};

// The token, which fits the field, lower-cased (A-Z only) and NUL-terminated.
template <size_t N> void FoldToken(std::string_view token, char (&field)[N])
{
    std::memcpy(field, token.data(), token.size());
    field[token.size()] = '\0';
    FoldCase(field, uint32_t(token.size()));
}

void ApplyAttribute(std::string_view name, std::string_view value, Scheme& scheme)
{
    char key[kMaxName + 1];
    FoldToken(name, key);

    if (std::strcmp(key, "background") == 0) {
        scheme.background.Assign(value.data(), uint32_t(value.size()));
        scheme.useback = 1;
    } else if (std::strcmp(key, "bgproperties") == 0) {
        char keyword[kMaxValue + 1];
        FoldToken(value, keyword);
        if (std::strcmp(keyword, "fixed") == 0)
            scheme.watermark = 1;
    } else if (std::strcmp(key, "leftmargin") == 0) {
        scheme.sidemargin = ParseDecimal(value);
    } else if (std::strcmp(key, "topmargin") == 0) {
        scheme.topmargin = ParseDecimal(value);
    } else {
        const struct
        {
            const char* name;
            COLORREF Scheme::*field;
        } colours[] = {{"alink", &Scheme::alink},
                       {"bgcolor", &Scheme::bgcolor},
                       {"link", &Scheme::link},
                       {"text", &Scheme::text},
                       {"vlink", &Scheme::vlink}};
        for (const auto& colour : colours) {
            if (std::strcmp(key, colour.name) == 0)
                scheme.*colour.field = ParseColour(value);
        }
    }
}

} // namespace

void ApplyBodyAttributes(std::string_view attributeText, Scheme& scheme)
{
    const CAttributeCursor text(attributeText);
    size_t p = 0;
    for (;;) {
        while (IsWhite(text.At(p)))
            ++p;
        if (text.At(p) == '\0')
            return;

        const size_t nameEnd = text.TokenEnd(p);
        if (text.At(nameEnd) == '\0')
            return;
        if (nameEnd - p > kMaxName) {
            // Reading goes on with the byte after the name, out of step.
            p = nameEnd + 1;
            continue;
        }

        size_t valueStart = nameEnd + 1;
        while (IsSeparator(text.At(valueStart)))
            ++valueStart;
        if (text.At(valueStart) == '\0')
            return;

        const size_t valueEnd = text.TokenEnd(valueStart);
        if (text.At(valueEnd) == '\0')
            return;
        if (valueEnd - valueStart <= kMaxValue)
            ApplyAttribute(text.Slice(p, nameEnd), text.Slice(valueStart, valueEnd), scheme);
        p = valueEnd + 1;
    }
}

std::optional<std::string_view> FindBodyAttributes(const CTextBuffer& file)
{
    const int32_t tag = file.Find("<body", 0, true);
    if (tag < 0)
        return std::nullopt;
    const uint32_t start = uint32_t(tag) + 5;
    const int32_t close = file.Find(">", start);
    const uint32_t end = close < 0 ? file.Length() : uint32_t(close);
    return file.View().substr(start, end - start);
}

ImportResult ImportBodyText(const CTextBuffer& file, Scheme& scheme)
{
    const std::optional<std::string_view> attributes = FindBodyAttributes(file);
    if (!attributes)
        return ImportResult::NoBodyTag;
    Scheme imported = scheme;
    imported.ResetScheme();
    ApplyBodyAttributes(*attributes, imported);
    scheme = imported;
    return ImportResult::Imported;
}

ImportResult ImportBodyTag(const char* path, Scheme& scheme)
{
    CTextBuffer file;
    if (!file.LoadFile(path))
        return ImportResult::CannotRead;
    return ImportBodyText(file, scheme);
}
