#include "model/CssStyle.h"

#include "model/Ascii.h"
#include "model/ColourForms.h"
#include "model/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// ---- Tokens, after the CSS syntax module's tokenizer ----------------------

enum class Tok
{
    Ident,
    Function,
    AtKeyword,
    Hash,
    String,
    BadString,
    Url,
    BadUrl,
    Delim,
    Number,
    Percentage,
    Dimension,
    Whitespace,
    Colon,
    Semicolon,
    Comma,
    OpenParen,
    CloseParen,
    OpenSquare,
    CloseSquare,
    OpenCurly,
    CloseCurly,
};

struct Token
{
    Tok type;
    std::string text; // name, string or URL (escapes decoded), unit, or the delimiter
    double number = 0;
    size_t begin = 0; // bytes of the source
    size_t end = 0;
};

// CSS reads the same five blanks as HTML (IsAsciiWhitespace).
bool IsNewline(char c)
{
    return c == '\n' || c == '\r' || c == '\f';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsNameStart(char c)
{
    return IsAsciiAlpha(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsNameChar(char c)
{
    return IsNameStart(c) || IsDigit(c) || c == '-';
}

class CTokenizer
{
public:
    explicit CTokenizer(std::string_view text) : m_s(text) {}

    std::vector<Token> Run()
    {
        std::vector<Token> tokens;
        for (;;) {
            SkipComments();
            if (m_i >= m_s.size())
                return tokens;
            Token token;
            token.begin = m_i;
            Next(token);
            token.end = m_i;
            tokens.push_back(std::move(token));
        }
    }

private:
    char At(size_t i) const { return i < m_s.size() ? m_s[i] : '\0'; }
    bool IsEnd(size_t i) const { return i >= m_s.size(); }

    void SkipComments()
    {
        while (At(m_i) == '/' && At(m_i + 1) == '*') {
            const size_t close = m_s.find("*/", m_i + 2);
            m_i = close == std::string_view::npos ? m_s.size() : close + 2;
        }
    }

    bool ValidEscape(size_t i) const { return At(i) == '\\' && !IsEnd(i + 1) && !IsNewline(At(i + 1)); }
    bool StartsIdent(size_t i) const
    {
        if (At(i) == '-')
            return IsNameStart(At(i + 1)) || At(i + 1) == '-' || ValidEscape(i + 1);
        return IsNameStart(At(i)) || ValidEscape(i);
    }
    bool StartsNumber(size_t i) const
    {
        if (At(i) == '+' || At(i) == '-')
            ++i;
        return IsDigit(At(i)) || (At(i) == '.' && IsDigit(At(i + 1)));
    }

    // After the backslash: a hex code point with one optional blank, or the
    // next character as it is.
    void ConsumeEscape(std::string& out)
    {
        if (IsEnd(m_i)) {
            AppendUtf8(out, 0xFFFD);
            return;
        }
        if (HexDigitValue(At(m_i)) < 0) {
            out += m_s[m_i++];
            return;
        }
        uint32_t cp = 0;
        for (int n = 0; n < 6 && HexDigitValue(At(m_i)) >= 0; ++n)
            cp = cp * 16 + uint32_t(HexDigitValue(m_s[m_i++]));
        if (At(m_i) == '\r' && At(m_i + 1) == '\n')
            ++m_i;
        if (IsAsciiWhitespace(At(m_i)))
            ++m_i;
        if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            cp = 0xFFFD;
        AppendUtf8(out, cp);
    }

    std::string ConsumeName()
    {
        std::string name;
        for (;;) {
            if (IsNameChar(At(m_i)) && !IsEnd(m_i)) {
                name += m_s[m_i++];
            } else if (ValidEscape(m_i)) {
                ++m_i;
                ConsumeEscape(name);
            } else {
                return name;
            }
        }
    }

    void ConsumeNumber(Token& token)
    {
        const size_t start = m_i;
        if (At(m_i) == '+' || At(m_i) == '-')
            ++m_i;
        while (IsDigit(At(m_i)))
            ++m_i;
        if (At(m_i) == '.' && IsDigit(At(m_i + 1))) {
            m_i += 2;
            while (IsDigit(At(m_i)))
                ++m_i;
        }
        const size_t sign = (At(m_i + 1) == '+' || At(m_i + 1) == '-') ? 1 : 0;
        if ((At(m_i) == 'e' || At(m_i) == 'E') && IsDigit(At(m_i + 1 + sign))) {
            m_i += 1 + sign;
            while (IsDigit(At(m_i)))
                ++m_i;
        }
        // from_chars reads no '+' and ignores the locale.
        const size_t from = m_s[start] == '+' ? start + 1 : start;
        std::from_chars(m_s.data() + from, m_s.data() + m_i, token.number);
        if (StartsIdent(m_i)) {
            token.type = Tok::Dimension;
            token.text = ConsumeName();
        } else if (At(m_i) == '%') {
            ++m_i;
            token.type = Tok::Percentage;
        } else {
            token.type = Tok::Number;
        }
    }

    void ConsumeString(Token& token, char quote)
    {
        token.type = Tok::String;
        for (;;) {
            if (IsEnd(m_i))
                return;
            const char c = m_s[m_i];
            if (c == quote) {
                ++m_i;
                return;
            }
            if (IsNewline(c)) {
                token.type = Tok::BadString;
                return;
            }
            ++m_i;
            if (c != '\\') {
                token.text += c;
            } else if (IsEnd(m_i)) {
                return;
            } else if (IsNewline(At(m_i))) {
                m_i += At(m_i) == '\r' && At(m_i + 1) == '\n' ? 2 : 1;
            } else {
                ConsumeEscape(token.text);
            }
        }
    }

    void ConsumeUrl(Token& token)
    {
        token.type = Tok::Url;
        token.text.clear();
        while (IsAsciiWhitespace(At(m_i)))
            ++m_i;
        for (;;) {
            if (IsEnd(m_i))
                return;
            const char c = m_s[m_i];
            if (c == ')') {
                ++m_i;
                return;
            }
            if (IsAsciiWhitespace(c)) {
                while (IsAsciiWhitespace(At(m_i)))
                    ++m_i;
                if (IsEnd(m_i) || At(m_i) == ')') {
                    m_i += IsEnd(m_i) ? 0 : 1;
                    return;
                }
                break;
            }
            if (c == '"' || c == '\'' || c == '(' || (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
                break;
            if (c == '\\') {
                if (!ValidEscape(m_i))
                    break;
                ++m_i;
                ConsumeEscape(token.text);
                continue;
            }
            token.text += c;
            ++m_i;
        }
        // The rest of a bad URL, up to its ')'.
        token.type = Tok::BadUrl;
        token.text.clear();
        while (!IsEnd(m_i) && At(m_i) != ')') {
            m_i += ValidEscape(m_i) ? 2 : 1;
        }
        if (!IsEnd(m_i))
            ++m_i;
    }

    void ConsumeIdentLike(Token& token)
    {
        token.text = ConsumeName();
        if (At(m_i) != '(') {
            token.type = Tok::Ident;
            return;
        }
        ++m_i;
        if (EqualsIgnoreAsciiCase(token.text, "url")) {
            size_t j = m_i;
            while (IsAsciiWhitespace(At(j)))
                ++j;
            if (At(j) != '"' && At(j) != '\'') {
                ConsumeUrl(token);
                return;
            }
        }
        token.type = Tok::Function;
    }

    void Next(Token& token)
    {
        const char c = m_s[m_i];
        if (IsAsciiWhitespace(c)) {
            while (IsAsciiWhitespace(At(m_i)))
                ++m_i;
            token.type = Tok::Whitespace;
            return;
        }
        if (c == '"' || c == '\'') {
            ++m_i;
            ConsumeString(token, c);
            return;
        }
        if (StartsNumber(m_i)) {
            ConsumeNumber(token);
            return;
        }
        if (StartsIdent(m_i)) {
            ConsumeIdentLike(token);
            return;
        }
        if (c == '#' && (IsNameChar(At(m_i + 1)) || ValidEscape(m_i + 1))) {
            ++m_i;
            token.type = Tok::Hash;
            token.text = ConsumeName();
            return;
        }
        if (c == '@' && StartsIdent(m_i + 1)) {
            ++m_i;
            token.type = Tok::AtKeyword;
            token.text = ConsumeName();
            return;
        }
        ++m_i;
        static constexpr std::pair<char, Tok> kPunctuation[] = {
            {'(', Tok::OpenParen},   {')', Tok::CloseParen}, {'[', Tok::OpenSquare},
            {']', Tok::CloseSquare}, {'{', Tok::OpenCurly},  {'}', Tok::CloseCurly},
            {',', Tok::Comma},       {':', Tok::Colon},      {';', Tok::Semicolon},
        };
        for (const auto& [mark, type] : kPunctuation) {
            if (c == mark) {
                token.type = type;
                return;
            }
        }
        token.type = Tok::Delim;
        token.text.assign(1, c);
    }

    std::string_view m_s;
    size_t m_i = 0;
};

// One past the component value starting at i: a function or block runs to
// its matching closer, or to the end.
size_t SkipComponent(const std::vector<Token>& t, size_t i, size_t end)
{
    std::vector<Tok> closers;
    do {
        switch (t[i].type) {
        case Tok::Function:
        case Tok::OpenParen:
            closers.push_back(Tok::CloseParen);
            break;
        case Tok::OpenSquare:
            closers.push_back(Tok::CloseSquare);
            break;
        case Tok::OpenCurly:
            closers.push_back(Tok::CloseCurly);
            break;
        default:
            if (!closers.empty() && t[i].type == closers.back())
                closers.pop_back();
        }
        ++i;
    } while (!closers.empty() && i < end);
    return i;
}

// A component of a declaration's value: one token, with its arguments for a
// function.
struct Component
{
    const Token* token;
    std::vector<Component> args; // a function's, blanks left out
};

// The components of tokens [i, end), blanks left out; a function's arguments
// end at its ')' or at the end.
std::vector<Component> Components(const std::vector<Token>& t, size_t i, size_t end)
{
    std::vector<Component> out;
    while (i < end) {
        if (t[i].type == Tok::Whitespace) {
            ++i;
            continue;
        }
        Component c{&t[i], {}};
        size_t next = i + 1;
        if (t[i].type == Tok::Function) {
            while (next < end && t[next].type != Tok::CloseParen)
                next = SkipComponent(t, next, end);
            c.args = Components(t, i + 1, next);
            next = std::min(next + 1, end);
        } else {
            next = SkipComponent(t, i, end);
        }
        out.push_back(std::move(c));
        i = next;
    }
    return out;
}

bool IsIdent(const Component& c, std::string_view name)
{
    return c.token->type == Tok::Ident && EqualsIgnoreAsciiCase(c.token->text, name);
}
bool IsFunction(const Component& c, std::string_view name)
{
    return c.token->type == Tok::Function && EqualsIgnoreAsciiCase(c.token->text, name);
}
bool IsDelim(const Component& c, char d)
{
    return c.token->type == Tok::Delim && c.token->text[0] == d;
}

template <size_t N> bool IsAnyIdent(const Component& c, const std::string_view (&names)[N])
{
    return std::ranges::any_of(names, [&](std::string_view name) { return IsIdent(c, name); });
}
template <size_t N> bool IsAnyFunction(const Component& c, const std::string_view (&names)[N])
{
    return std::ranges::any_of(names, [&](std::string_view name) { return IsFunction(c, name); });
}

// ---- Values ----------------------------------------------------------------

// What one property is given: a value the scheme can hold, or something
// valid that it cannot.
enum class State
{
    Unset,
    Set,
    Unreadable,
};

struct Slot
{
    State state = State::Unset;
    bool important = false;
    int64_t number = 0; // colour word, 0/1 flag or pixels
    std::string text;   // the image path

    bool SameValue(const Slot& o) const { return state == o.state && number == o.number && text == o.text; }
};

using Slots = std::array<Slot, kBodyPropertyCount>;

Slot SetTo(int64_t number, std::string text = {})
{
    return {State::Set, false, number, std::move(text)};
}
const Slot kUnreadable{State::Unreadable, false, 0, {}};
constexpr int64_t kDefaultColour = kDefaultMark;

constexpr std::string_view kCssWideKeywords[] = {"inherit", "initial", "unset", "revert", "revert-layer"};

// Colours. Only opaque ones and transparent (the browser's default, as any
// background left unset) fit the scheme.
std::optional<Slot> ReadColour(const Component& c);

std::optional<Slot> ReadRgbFunction(const Component& c)
{
    const std::vector<Component>& a = c.args;
    const bool legacy = std::ranges::any_of(a, [](const Component& x) { return x.token->type == Tok::Comma; });
    std::vector<const Component*> values;
    const Component* alpha = nullptr;
    if (legacy) {
        // v, v, v[, a]: all three numbers or all three percentages.
        if (a.size() != 5 && a.size() != 7)
            return std::nullopt;
        for (size_t i = 1; i < a.size(); i += 2)
            if (a[i].token->type != Tok::Comma)
                return std::nullopt;
        for (size_t i = 0; i < 6 && i < a.size(); i += 2)
            values.push_back(&a[i]);
        if (a.size() == 7)
            alpha = &a[6];
        const Tok kind = values[0]->token->type;
        if (kind != Tok::Number && kind != Tok::Percentage)
            return std::nullopt;
        for (const Component* v : values)
            if (v->token->type != kind)
                return std::nullopt;
    } else {
        // v v v [/ a], each a number, a percentage or none.
        if (a.size() != 3 && a.size() != 5)
            return std::nullopt;
        for (size_t i = 0; i < 3; ++i)
            values.push_back(&a[i]);
        if (a.size() == 5) {
            if (!IsDelim(a[3], '/'))
                return std::nullopt;
            alpha = &a[4];
        }
        for (const Component* v : values)
            if (v->token->type != Tok::Number && v->token->type != Tok::Percentage && !IsIdent(*v, "none"))
                return std::nullopt;
    }
    uint8_t rgb[3];
    for (size_t i = 0; i < 3; ++i) {
        const Token& v = *values[i]->token;
        double x = v.type == Tok::Number ? v.number : v.type == Tok::Percentage ? v.number * 255 / 100 : 0;
        rgb[i] = uint8_t(std::lround(std::clamp(x, 0.0, 255.0)));
    }
    double opacity = 1;
    if (alpha) {
        const Token& v = *alpha->token;
        if (v.type == Tok::Number)
            opacity = v.number;
        else if (v.type == Tok::Percentage)
            opacity = v.number / 100;
        else if (!legacy && IsIdent(*alpha, "none"))
            opacity = 0;
        else
            return std::nullopt;
    }
    if (opacity <= 0)
        return SetTo(kDefaultColour);
    if (opacity < 1)
        return kUnreadable;
    return SetTo(MakeColour(rgb[0], rgb[1], rgb[2]));
}

std::optional<Slot> ReadHashColour(std::string_view digits)
{
    if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8)
        return std::nullopt;
    int v[8];
    for (size_t i = 0; i < digits.size(); ++i)
        if ((v[i] = HexDigitValue(digits[i])) < 0)
            return std::nullopt;
    const bool shortForm = digits.size() <= 4;
    auto part = [&](size_t n) { return shortForm ? v[n] * 17 : v[2 * n] * 16 + v[2 * n + 1]; };
    if (digits.size() == 4 || digits.size() == 8) {
        if (part(3) == 0)
            return SetTo(kDefaultColour);
        if (part(3) != 255)
            return kUnreadable;
    }
    return SetTo(MakeColour(uint8_t(part(0)), uint8_t(part(1)), uint8_t(part(2))));
}

std::optional<Slot> ReadColour(const Component& c)
{
    static constexpr std::string_view kOtherFunctions[] = {"hsl",   "hsla",  "hwb",   "lab",       "lch",
                                                           "oklab", "oklch", "color", "color-mix", "light-dark"};
    static constexpr std::string_view kOtherKeywords[] = {
        "currentcolor",     "canvas",       "canvastext", "linktext",  "visitedtext", "activetext",     "buttonface",
        "buttontext",       "buttonborder", "field",      "fieldtext", "highlight",   "highlighttext",  "selecteditem",
        "selecteditemtext", "mark",         "marktext",   "graytext",  "accentcolor", "accentcolortext"};
    switch (c.token->type) {
    case Tok::Hash:
        return ReadHashColour(c.token->text);
    case Tok::Ident:
        if (IsIdent(c, "transparent"))
            return SetTo(kDefaultColour);
        if (const std::optional<COLORREF> named = FindNamedColour(c.token->text))
            return SetTo(*named);
        if (IsAnyIdent(c, kOtherKeywords))
            return kUnreadable;
        return std::nullopt;
    case Tok::Function:
        if (IsFunction(c, "rgb") || IsFunction(c, "rgba"))
            return ReadRgbFunction(c);
        if (IsAnyFunction(c, kOtherFunctions))
            return kUnreadable;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Images: a URL or none; gradients and the like are valid but not ours.
std::optional<Slot> ReadImage(const Component& c)
{
    static constexpr std::string_view kImageFunctions[] = {"linear-gradient",
                                                           "radial-gradient",
                                                           "conic-gradient",
                                                           "repeating-linear-gradient",
                                                           "repeating-radial-gradient",
                                                           "repeating-conic-gradient",
                                                           "image-set",
                                                           "-webkit-image-set",
                                                           "cross-fade",
                                                           "-webkit-gradient",
                                                           "image",
                                                           "element",
                                                           "paint"};
    if (c.token->type == Tok::Url)
        return SetTo(1, c.token->text);
    if (IsFunction(c, "url")) {
        if (c.args.size() == 1 && c.args[0].token->type == Tok::String)
            return SetTo(1, c.args[0].token->text);
        return std::nullopt;
    }
    if (IsIdent(c, "none"))
        return SetTo(0);
    if (c.token->type == Tok::Function && IsAnyFunction(c, kImageFunctions))
        return kUnreadable;
    return std::nullopt;
}

std::optional<Slot> ReadAttachment(const Component& c)
{
    if (IsIdent(c, "fixed"))
        return SetTo(1);
    if (IsIdent(c, "scroll") || IsIdent(c, "local"))
        return SetTo(0);
    return std::nullopt;
}

bool IsLengthUnit(std::string_view unit)
{
    static constexpr std::string_view kUnits[] = {
        "px",  "em",  "rem", "ex",    "rex",   "ch",   "rch", "ic",  "ric", "cap", "rcap", "lh",  "rlh",
        "vw",  "vh",  "vi",  "vb",    "vmin",  "vmax", "svw", "svh", "lvw", "lvh", "dvw",  "dvh", "cqw",
        "cqh", "cqi", "cqb", "cqmin", "cqmax", "cm",   "mm",  "q",   "in",  "pt",  "pc"};
    return std::ranges::any_of(kUnits, [&](std::string_view u) { return EqualsIgnoreAsciiCase(unit, u); });
}

bool IsMathFunction(const Component& c)
{
    static constexpr std::string_view kMath[] = {"calc", "min", "max", "clamp", "-webkit-calc"};
    return IsAnyFunction(c, kMath);
}

// A length or percentage; only whole, non-negative pixels fit the scheme.
std::optional<Slot> ReadLength(const Component& c)
{
    const Token& t = *c.token;
    if (t.type == Tok::Number)
        return t.number == 0 ? std::optional<Slot>(SetTo(0)) : std::nullopt;
    if (t.type == Tok::Percentage || IsMathFunction(c))
        return kUnreadable;
    if (t.type != Tok::Dimension || !IsLengthUnit(t.text))
        return std::nullopt;
    if (!EqualsIgnoreAsciiCase(t.text, "px") || t.number < 0 || t.number > INT32_MAX ||
        t.number != std::floor(t.number))
        return kUnreadable;
    return SetTo(int64_t(t.number));
}

std::optional<Slot> ReadMargin(const Component& c)
{
    if (IsIdent(c, "auto"))
        return kUnreadable;
    return ReadLength(c);
}

// ---- Declarations ------------------------------------------------------------

// What one declaration gives each property; nothing for the properties it
// does not set.
using Assignment = std::array<std::optional<Slot>, kBodyPropertyCount>;

constexpr size_t Index(BodyProperty p)
{
    return size_t(p);
}

// The comma-separated layers of a value; nothing when one is empty.
std::optional<std::vector<std::vector<const Component*>>> Layers(const std::vector<Component>& value)
{
    std::vector<std::vector<const Component*>> layers(1);
    for (const Component& c : value) {
        if (c.token->type == Tok::Comma)
            layers.emplace_back();
        else
            layers.back().push_back(&c);
    }
    for (const auto& layer : layers)
        if (layer.empty())
            return std::nullopt;
    return layers;
}

// A list property with one keyword or image a layer: the first layer counts
// (the page has one image layer); several images cannot be ours.
template <class Reader>
std::optional<Slot> ReadLayerList(const std::vector<Component>& value, Reader read, bool singleOnly)
{
    const auto layers = Layers(value);
    if (!layers)
        return std::nullopt;
    std::optional<Slot> first;
    for (const auto& layer : *layers) {
        if (layer.size() != 1)
            return std::nullopt;
        std::optional<Slot> slot = read(*layer[0]);
        if (!slot)
            return std::nullopt;
        if (!first)
            first = std::move(slot);
    }
    return singleOnly && layers->size() > 1 ? kUnreadable : *first;
}

bool IsPositionPart(const Component& c)
{
    static constexpr std::string_view kKeywords[] = {"left", "right", "top", "bottom", "center"};
    if (IsAnyIdent(c, kKeywords))
        return true;
    const std::optional<Slot> length = ReadLength(c);
    return length.has_value();
}

bool IsSizePart(const Component& c)
{
    return IsIdent(c, "auto") || ReadLength(c).has_value();
}

// One layer of the background shorthand: each part at most once, the colour
// only in the final layer.
bool ReadBackgroundLayer(const std::vector<const Component*>& parts, bool final, Slot& colour, Slot& image,
                         Slot& attachment)
{
    static constexpr std::string_view kRepeat[] = {"repeat", "space", "round", "no-repeat"};
    static constexpr std::string_view kBoxes[] = {"border-box", "padding-box", "content-box", "text"};
    bool haveImage = false, haveAttachment = false, haveRepeat = false, havePosition = false, haveColour = false;
    int boxes = 0;
    for (size_t k = 0; k < parts.size();) {
        const Component& c = *parts[k];
        std::optional<Slot> value;
        if (!haveImage && (value = ReadImage(c))) {
            image = *value;
            haveImage = true;
            ++k;
        } else if (!haveAttachment && (value = ReadAttachment(c))) {
            attachment = *value;
            haveAttachment = true;
            ++k;
        } else if (!haveRepeat && (IsIdent(c, "repeat-x") || IsIdent(c, "repeat-y"))) {
            haveRepeat = true;
            ++k;
        } else if (!haveRepeat && IsAnyIdent(c, kRepeat)) {
            haveRepeat = true;
            ++k;
            if (k < parts.size() && IsAnyIdent(*parts[k], kRepeat))
                ++k;
        } else if (boxes < 2 && IsAnyIdent(c, kBoxes)) {
            ++boxes;
            ++k;
        } else if (!havePosition && IsPositionPart(c)) {
            havePosition = true;
            for (int n = 0; n < 4 && k < parts.size() && IsPositionPart(*parts[k]); ++n)
                ++k;
            if (k < parts.size() && IsDelim(*parts[k], '/')) {
                ++k;
                if (k < parts.size() && (IsIdent(*parts[k], "cover") || IsIdent(*parts[k], "contain"))) {
                    ++k;
                } else {
                    int sizes = 0;
                    for (; sizes < 2 && k < parts.size() && IsSizePart(*parts[k]); ++sizes)
                        ++k;
                    if (sizes == 0)
                        return false;
                }
            }
        } else if (final && !haveColour && (value = ReadColour(c))) {
            colour = *value;
            haveColour = true;
            ++k;
        } else {
            return false;
        }
    }
    return true;
}

std::optional<Assignment> ReadBackgroundShorthand(const std::vector<Component>& value)
{
    const auto layers = Layers(value);
    if (!layers)
        return std::nullopt;
    Slot colour = SetTo(kDefaultColour), image = SetTo(0), attachment = SetTo(0);
    for (size_t i = 0; i < layers->size(); ++i) {
        Slot layerImage = SetTo(0), layerAttachment = SetTo(0);
        if (!ReadBackgroundLayer((*layers)[i], i + 1 == layers->size(), colour, layerImage, layerAttachment))
            return std::nullopt;
        if (i == 0) {
            image = layerImage;
            attachment = layerAttachment;
        }
    }
    if (layers->size() > 1)
        image = kUnreadable;
    Assignment a;
    a[Index(BodyProperty::BackgroundColor)] = colour;
    a[Index(BodyProperty::BackgroundImage)] = image;
    a[Index(BodyProperty::BackgroundAttachment)] = attachment;
    return a;
}

std::optional<Assignment> ReadMarginShorthand(const std::vector<Component>& value)
{
    if (value.empty() || value.size() > 4)
        return std::nullopt;
    std::vector<Slot> sides;
    for (const Component& c : value) {
        std::optional<Slot> side = ReadMargin(c);
        if (!side)
            return std::nullopt;
        sides.push_back(*side);
    }
    Assignment a;
    a[Index(BodyProperty::MarginTop)] = sides[0];
    a[Index(BodyProperty::MarginLeft)] = sides[value.size() == 4 ? 3 : value.size() >= 2 ? 1 : 0];
    return a;
}

// Every CSS-wide keyword gives the browser's default on the body, except that
// only revert gives back the default margin (the others give 0).
Slot CssWideValue(BodyProperty p, std::string_view keyword)
{
    switch (p) {
    case BodyProperty::BackgroundColor:
    case BodyProperty::Color:
        return SetTo(kDefaultColour);
    case BodyProperty::MarginLeft:
    case BodyProperty::MarginTop:
        return SetTo(StartsWithIgnoreAsciiCase(keyword, "revert") ? -1 : 0);
    default:
        return SetTo(0);
    }
}

struct ShorthandInfo
{
    std::string_view name;
    BodyProperty longhands[3];
    size_t count;
};
constexpr ShorthandInfo kShorthands[] = {
    {"background",
     {BodyProperty::BackgroundColor, BodyProperty::BackgroundImage, BodyProperty::BackgroundAttachment},
     3},
    {"margin", {BodyProperty::MarginLeft, BodyProperty::MarginTop}, 2},
};

constexpr std::string_view kPropertyNames[] = {"background-color",      "color",       "background-image",
                                               "background-attachment", "margin-left", "margin-top"};

std::optional<BodyProperty> FindLonghand(std::string_view name)
{
    for (size_t i = 0; i < kBodyPropertyCount; ++i)
        if (EqualsIgnoreAsciiCase(name, kPropertyNames[i]))
            return BodyProperty(i);
    return std::nullopt;
}

// What a valid declaration of ours sets; nothing for an invalid one or one of
// another property.
std::optional<Assignment> ReadDeclaration(std::string_view name, const std::vector<Component>& value)
{
    if (value.empty())
        return std::nullopt;
    const std::optional<BodyProperty> longhand = FindLonghand(name);
    const auto* shorthand =
        std::ranges::find_if(kShorthands, [&](const ShorthandInfo& s) { return EqualsIgnoreAsciiCase(name, s.name); });
    if (!longhand && shorthand == std::end(kShorthands))
        return std::nullopt;

    if (value.size() == 1 && IsAnyIdent(value[0], kCssWideKeywords)) {
        Assignment a;
        const std::string_view keyword = value[0].token->text;
        if (longhand)
            a[Index(*longhand)] = CssWideValue(*longhand, keyword);
        else
            for (size_t i = 0; i < shorthand->count; ++i)
                a[Index(shorthand->longhands[i])] = CssWideValue(shorthand->longhands[i], keyword);
        return a;
    }
    if (!longhand)
        return shorthand->name == "background" ? ReadBackgroundShorthand(value) : ReadMarginShorthand(value);

    std::optional<Slot> slot;
    switch (*longhand) {
    case BodyProperty::BackgroundColor:
    case BodyProperty::Color:
        if (value.size() == 1)
            slot = ReadColour(value[0]);
        break;
    case BodyProperty::BackgroundImage:
        slot = ReadLayerList(value, ReadImage, true);
        break;
    case BodyProperty::BackgroundAttachment:
        slot = ReadLayerList(value, ReadAttachment, false);
        break;
    case BodyProperty::MarginLeft:
    case BodyProperty::MarginTop:
        if (value.size() == 1)
            slot = ReadMargin(value[0]);
        break;
    }
    if (!slot)
        return std::nullopt;
    Assignment a;
    a[Index(*longhand)] = std::move(slot);
    return a;
}

struct Declaration
{
    std::string name;  // escapes decoded
    size_t begin, end; // the source text, without the closing ';'
    bool important;
    std::optional<Assignment> sets;
};

// Every declaration of a declaration list, as the CSS syntax module splits
// it: what does not start with a name, and a name without ':', is skipped.
std::vector<Declaration> ParseDeclarations(std::string_view style)
{
    const std::vector<Token> t = CTokenizer(style).Run();
    std::vector<Declaration> out;
    size_t i = 0;
    while (i < t.size()) {
        if (t[i].type == Tok::Whitespace || t[i].type == Tok::Semicolon) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < t.size() && t[i].type != Tok::Semicolon)
            i = SkipComponent(t, i, t.size());
        if (t[start].type != Tok::Ident)
            continue;
        size_t colon = start + 1;
        while (colon < i && t[colon].type == Tok::Whitespace)
            ++colon;
        if (colon == i || t[colon].type != Tok::Colon)
            continue;

        // Trailing blanks, then "!" "important" (blanks allowed between).
        size_t valueEnd = i;
        auto trim = [&] {
            while (valueEnd > colon + 1 && t[valueEnd - 1].type == Tok::Whitespace)
                --valueEnd;
        };
        trim();
        const size_t sourceEnd = t[valueEnd - 1].end;
        bool important = false;
        if (valueEnd > colon + 1 && t[valueEnd - 1].type == Tok::Ident &&
            EqualsIgnoreAsciiCase(t[valueEnd - 1].text, "important")) {
            size_t bang = valueEnd - 1;
            while (bang > colon + 1 && t[bang - 1].type == Tok::Whitespace)
                --bang;
            if (bang > colon + 1 && t[bang - 1].type == Tok::Delim && t[bang - 1].text == "!") {
                important = true;
                valueEnd = bang - 1;
                trim();
            }
        }
        const std::vector<Component> value = Components(t, colon + 1, valueEnd);
        out.push_back({t[start].text, t[start].begin, sourceEnd, important, ReadDeclaration(t[start].text, value)});
    }
    return out;
}

void Apply(const Declaration& d, Slots& slots)
{
    if (!d.sets)
        return;
    for (size_t p = 0; p < kBodyPropertyCount; ++p) {
        const std::optional<Slot>& value = (*d.sets)[p];
        if (!value || (slots[p].important && !d.important))
            continue;
        slots[p] = *value;
        slots[p].important = d.important;
    }
}

Slots ReadSlots(const std::vector<Declaration>& declarations)
{
    Slots slots;
    for (const Declaration& d : declarations)
        Apply(d, slots);
    return slots;
}

} // namespace

std::string_view BodyPropertyName(BodyProperty property)
{
    return kPropertyNames[Index(property)];
}

BodyStyle ReadBodyStyle(std::string_view style)
{
    const Slots slots = ReadSlots(ParseDeclarations(style));
    auto get = [&](BodyProperty p) -> const Slot* {
        const Slot& s = slots[Index(p)];
        return s.state == State::Set ? &s : nullptr;
    };
    BodyStyle out;
    if (const Slot* s = get(BodyProperty::BackgroundColor))
        out.bgcolor = COLORREF(s->number);
    if (const Slot* s = get(BodyProperty::Color))
        out.text = COLORREF(s->number);
    if (const Slot* s = get(BodyProperty::BackgroundImage)) {
        out.useback = s->number != 0;
        out.background = ImagePathOfUrl(s->text);
    }
    if (const Slot* s = get(BodyProperty::BackgroundAttachment))
        out.fixed = s->number != 0;
    if (const Slot* s = get(BodyProperty::MarginLeft))
        out.sidemargin = int32_t(s->number);
    if (const Slot* s = get(BodyProperty::MarginTop))
        out.topmargin = int32_t(s->number);
    return out;
}

void ApplyBodyStyle(const BodyStyle& style, Scheme& scheme)
{
    const Scheme defaults;
    if (style.bgcolor)
        scheme.bgcolor = IsDefaultColour(*style.bgcolor) ? defaults.bgcolor : *style.bgcolor;
    if (style.text)
        scheme.text = IsDefaultColour(*style.text) ? defaults.text : *style.text;
    // "none", or an empty URL, turns the image off and keeps its path.
    if (style.useback && !(*style.useback && UseImagePath(scheme, style.background)))
        scheme.useback = 0;
    if (style.fixed)
        scheme.watermark = *style.fixed;
    if (style.sidemargin)
        scheme.sidemargin = *style.sidemargin;
    if (style.topmargin)
        scheme.topmargin = *style.topmargin;
}

std::string MergeBodyStyle(std::string_view existing, const BodyDeclarations& ours)
{
    std::vector<Declaration> kept = ParseDeclarations(existing);
    std::erase_if(kept, [](const Declaration& d) { return FindLonghand(d.name).has_value(); });
    const Slots keptSlots = ReadSlots(kept);

    std::string out;
    auto append = [&](std::string_view declaration) {
        if (!out.empty())
            out += "; ";
        out += declaration;
    };
    for (const Declaration& d : kept)
        append(existing.substr(d.begin, d.end - d.begin));
    for (size_t p = 0; p < kBodyPropertyCount; ++p) {
        const Slot& present = keptSlots[p];
        if (present.state == State::Unset && ours[p].empty())
            continue;
        std::string declaration(kPropertyNames[p]);
        declaration += ": ";
        declaration += ours[p].empty() ? "revert" : ours[p];
        if (present.state != State::Unset) {
            const Slots wanted = ReadSlots(ParseDeclarations(declaration));
            if (present.SameValue(wanted[p]))
                continue;
            if (present.important)
                declaration += " !important";
        }
        append(declaration);
    }
    return out;
}
