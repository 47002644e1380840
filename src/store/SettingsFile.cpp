#include "store/SettingsFile.h"

#include "model/Ascii.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHexPrefix = "hex:";
constexpr char kHexDigits[] = "0123456789abcdef";

bool OnlyBlanks(std::string_view s)
{
    for (char c : s)
        if (!IsSpaceOrTab(c))
            return false;
    return true;
}

// Length of the well-formed UTF-8 sequence of two to four bytes at the start
// of s (no overlong forms, surrogates or code points above U+10FFFF); 0 when
// there is none.
size_t Utf8SequenceLength(std::string_view s)
{
    auto byte = [&](size_t i) { return i < s.size() ? uint8_t(s[i]) : uint8_t(0); };
    auto continuation = [&](size_t i) { return (byte(i) & 0xC0) == 0x80; };
    const uint8_t lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uint8_t low = lead == 0xE0 ? 0xA0 : 0x80;
        const uint8_t high = lead == 0xED ? 0x9F : 0xBF;
        return byte(1) >= low && byte(1) <= high && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uint8_t low = lead == 0xF0 ? 0x90 : 0x80;
        const uint8_t high = lead == 0xF4 ? 0x8F : 0xBF;
        return byte(1) >= low && byte(1) <= high && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

void AppendHexByte(std::string& out, uint8_t b)
{
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 0x0F];
}

void AppendQuoted(std::string& out, std::string_view bytes)
{
    out += '"';
    for (size_t i = 0; i < bytes.size();) {
        const uint8_t c = uint8_t(bytes[i]);
        if (c >= 0x80) {
            const size_t n = Utf8SequenceLength(bytes.substr(i));
            if (n > 0) {
                out.append(bytes.substr(i, n));
                i += n;
                continue;
            }
        }
        ++i;
        if (c == '\\' || c == '"') {
            out += '\\';
            out += char(c);
        } else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || c >= 0x7F) {
            out += "\\x";
            AppendHexByte(out, c);
        } else
            out += char(c);
    }
    out += '"';
}

// Reads a quoted text starting at line[pos] == '"'; pos ends after the
// closing quote. False on a missing quote, a raw control byte (other than
// tab), an unknown escape or an escaped NUL.
bool ReadQuoted(std::string_view line, size_t& pos, std::string& out)
{
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (uint8_t(c) < 0x20 && c != '\t')
            return false;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos]) {
        case '\\':
        case '"':
            out += line[pos];
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            if (pos + 2 >= line.size())
                return false;
            const int high = HexDigitValue(line[pos + 1]);
            const int low = HexDigitValue(line[pos + 2]);
            if (high < 0 || low < 0 || (high | low) == 0)
                return false;
            out += char(high << 4 | low);
            pos += 2;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

// "hh,hh,...": two hex digits per byte, commas between; empty is no bytes.
bool ReadHexBytes(std::string_view text, std::string& out)
{
    out.clear();
    for (size_t pos = 0; pos < text.size(); pos += 3) {
        if (pos + 2 > text.size())
            return false;
        const int high = HexDigitValue(text[pos]);
        const int low = HexDigitValue(text[pos + 1]);
        if (high < 0 || low < 0)
            return false;
        out += char(high << 4 | low);
        if (pos + 2 < text.size() && text[pos + 2] != ',')
            return false;
        if (pos + 3 == text.size()) // a trailing comma
            return false;
    }
    return true;
}

bool ReadValueLine(std::string_view line, SettingsValue& value)
{
    size_t pos = 0;
    if (!ReadQuoted(line, pos, value.name) || pos >= line.size() || line[pos] != '=')
        return false;
    ++pos;
    if (pos < line.size() && line[pos] == '"') {
        value.isString = true;
        return ReadQuoted(line, pos, value.bytes) && OnlyBlanks(line.substr(pos));
    }
    if (line.substr(pos, kHexPrefix.size()) != kHexPrefix)
        return false;
    std::string_view hex = line.substr(pos + kHexPrefix.size());
    while (!hex.empty() && IsSpaceOrTab(hex.back()))
        hex.remove_suffix(1);
    value.isString = false;
    return ReadHexBytes(hex, value.bytes);
}

// "[path]" with nothing but blanks after the last "]".
bool ReadKeyLine(std::string_view line, std::string& path)
{
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos || !OnlyBlanks(line.substr(close + 1)))
        return false;
    path.assign(line.substr(1, close - 1));
    return IsValidKeyPath(path);
}

// Finds keys by path and values by name (both without regard to ASCII case)
// in constant time, so that reading a file stays linear however many keys and
// values it holds. Open addressing over a table sized once for the most
// entries the text can hold.
class CNameIndex
{
public:
    CNameIndex(const std::vector<SettingsKey>& keys, size_t maxEntries)
        : m_keys(keys), m_slots(std::bit_ceil(2 * maxEntries + 2)), m_nShift(64 - std::countr_zero(m_slots.size()))
    {}

    // The key (scope 0) or the value of key scope - 1 of that name; when
    // there is none, next is recorded for it and added is set.
    uint32_t FindOrAdd(uint32_t scope, std::string_view name, uint32_t next, bool& added)
    {
        const uint64_t hash = Hash(scope, name);
        const size_t mask = m_slots.size() - 1;
        for (size_t i = size_t(hash >> m_nShift);; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            added = !slot.used;
            if (added)
                slot = {true, uint32_t(hash), scope, next};
            if (added ||
                (slot.hash == uint32_t(hash) && slot.scope == scope && EqualsIgnoreAsciiCase(NameOf(slot), name)))
                return slot.index;
        }
    }

private:
    struct Slot
    {
        bool used = false;
        uint32_t hash = 0;
        uint32_t scope = 0;
        uint32_t index = 0;
    };

    std::string_view NameOf(const Slot& slot) const
    {
        return slot.scope == 0 ? m_keys[slot.index].path : m_keys[slot.scope - 1].values[slot.index].name;
    }
    // FNV-1a, spread over the high bits by a Fibonacci multiplication.
    static uint64_t Hash(uint32_t scope, std::string_view name)
    {
        uint64_t h = 14695981039346656037ull ^ scope;
        for (char c : name)
            h = (h ^ uint8_t(AsciiLower(c))) * 1099511628211ull;
        return h * 0x9E3779B97F4A7C15ull;
    }

    const std::vector<SettingsKey>& m_keys;
    std::vector<Slot> m_slots;
    int m_nShift;
};

} // namespace

bool IsValidKeyPath(std::string_view path)
{
    if (path.empty())
        return false;
    for (char c : path)
        if (uint8_t(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

const SettingsValue* SettingsKey::FindValue(std::string_view name) const
{
    for (const SettingsValue& v : values)
        if (EqualsIgnoreAsciiCase(v.name, name))
            return &v;
    return nullptr;
}

void SettingsKey::SetValue(const SettingsValue& value)
{
    for (SettingsValue& v : values)
        if (EqualsIgnoreAsciiCase(v.name, value.name)) {
            v.isString = value.isString;
            v.bytes = value.bytes;
            return;
        }
    values.push_back(value);
}

const SettingsKey* SettingsDocument::FindKey(std::string_view path) const
{
    for (const SettingsKey& k : keys)
        if (EqualsIgnoreAsciiCase(k.path, path))
            return &k;
    return nullptr;
}

SettingsKey& SettingsDocument::CreateKey(std::string_view path)
{
    for (SettingsKey& k : keys)
        if (EqualsIgnoreAsciiCase(k.path, path))
            return k;
    keys.push_back(SettingsKey{std::string(path), {}});
    return keys.back();
}

bool SettingsDocument::HasKey(std::string_view path) const
{
    for (const SettingsKey& k : keys) {
        const std::string_view stored = k.path;
        if (EqualsIgnoreAsciiCase(stored, path) || (stored.size() > path.size() && stored[path.size()] == '\\' &&
                                                    EqualsIgnoreAsciiCase(stored.substr(0, path.size()), path)))
            return true;
    }
    return false;
}

ParsedSettings ParseSettings(std::string_view text)
{
    ParsedSettings result;
    if (text.empty())
        return result;
    if (text.back() != '\n')
        result.damaged = true;

    std::vector<SettingsKey>& keys = result.document.keys;
    CNameIndex index(keys, size_t(std::count(text.begin(), text.end(), '\n')) + 1);
    uint32_t current = 0; // the key values go to, plus one; 0 for none
    bool added = false;
    bool first = true;
    std::string path;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (first) {
            first = false;
            if (line == kHeader)
                continue;
            result.damaged = true;
        }
        while (!line.empty() && IsSpaceOrTab(line.front()))
            line.remove_prefix(1);
        if (line.empty() || line.front() == ';')
            continue;

        if (line.front() == '[') {
            // Values under a broken header belong to no known key: dropped.
            current = 0;
            if (ReadKeyLine(line, path)) {
                current = index.FindOrAdd(0, path, uint32_t(keys.size()), added) + 1;
                if (added)
                    keys.push_back(SettingsKey{path, {}});
            } else
                result.damaged = true;
            continue;
        }
        SettingsValue value;
        if (current == 0 || line.front() != '"' || !ReadValueLine(line, value)) {
            result.damaged = true;
            continue;
        }
        std::vector<SettingsValue>& values = keys[current - 1].values;
        const uint32_t at = index.FindOrAdd(current, value.name, uint32_t(values.size()), added);
        if (added) {
            values.push_back(std::move(value));
            continue;
        }
        result.damaged = true; // the earlier one is lost, its spelling stays
        values[at].isString = value.isString;
        values[at].bytes = std::move(value.bytes);
    }
    return result;
}

std::string FormatSettings(const SettingsDocument& document)
{
    std::string out(kHeader);
    out += "\n\n";
    for (const SettingsKey& key : document.keys) {
        out += '[';
        out += key.path;
        out += "]\n";
        for (const SettingsValue& value : key.values) {
            AppendQuoted(out, value.name);
            out += '=';
            if (value.isString)
                AppendQuoted(out, value.bytes);
            else {
                out += kHexPrefix;
                for (size_t i = 0; i < value.bytes.size(); ++i) {
                    if (i > 0)
                        out += ',';
                    AppendHexByte(out, uint8_t(value.bytes[i]));
                }
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}
