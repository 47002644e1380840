#include "store/Settings.h"

#include "store/RegistryKey.h"

namespace {

uint32_t GetLittleEndian(const uint8_t* bytes, uint32_t size)
{
    uint32_t value = 0;
    for (uint32_t i = size; i-- > 0;)
        value = value << 8 | bytes[i];
    return value;
}

void PutLittleEndian(uint8_t* bytes, uint32_t value, uint32_t size)
{
    for (uint32_t i = 0; i < size; ++i, value >>= 8)
        bytes[i] = uint8_t(value);
}

bool SetNumber(CRegistryKey& key, const char* name, uint32_t value, uint32_t size)
{
    uint8_t bytes[4];
    PutLittleEndian(bytes, value, size);
    return key.SetBinary(name, bytes, size);
}

std::optional<uint32_t> QueryNumber(const CRegistryKey& key, const char* name, uint32_t size)
{
    uint8_t bytes[4];
    if (!key.QueryBinary(name, bytes, size))
        return std::nullopt;
    return GetLittleEndian(bytes, size);
}

// The binary values of the scheme group, in the order they are written.
struct SchemeBinary
{
    const char* name;
    uint32_t size;
    uint32_t (*get)(const Scheme&);
    void (*set)(Scheme&, uint32_t);
};

constexpr SchemeBinary kSchemeBinaries[] = {
    {"bgcolor", 4, [](const Scheme& s) { return s.bgcolor; }, [](Scheme& s, uint32_t v) { s.bgcolor = v; }},
    {"text", 4, [](const Scheme& s) { return s.text; }, [](Scheme& s, uint32_t v) { s.text = v; }},
    {"link", 4, [](const Scheme& s) { return s.link; }, [](Scheme& s, uint32_t v) { s.link = v; }},
    {"vlink", 4, [](const Scheme& s) { return s.vlink; }, [](Scheme& s, uint32_t v) { s.vlink = v; }},
    {"alink", 4, [](const Scheme& s) { return s.alink; }, [](Scheme& s, uint32_t v) { s.alink = v; }},
    {"sidemargin", 4, [](const Scheme& s) { return uint32_t(s.sidemargin); },
     [](Scheme& s, uint32_t v) { s.sidemargin = int32_t(v); }},
    {"topmargin", 4, [](const Scheme& s) { return uint32_t(s.topmargin); },
     [](Scheme& s, uint32_t v) { s.topmargin = int32_t(v); }},
    {"watermark", 1, [](const Scheme& s) { return uint32_t(s.watermark); },
     [](Scheme& s, uint32_t v) { s.watermark = uint8_t(v); }},
    {"useback", 1, [](const Scheme& s) { return uint32_t(s.useback); },
     [](Scheme& s, uint32_t v) { s.useback = uint8_t(v); }},
};

} // namespace

bool SaveWindowGroup(const CSettingsStore& root, const WindowOptions& options, const char* version, const char* folder)
{
    CRegistryKey key;
    if (!key.Create(root, kWindowKeyPath))
        return false;
    key.SetString("Version", CTextBuffer(version));
    if (folder[0] != '\0')
        key.SetString("Path", CTextBuffer(folder));
    if (options.left)
        SetNumber(key, "Left", uint32_t(*options.left), 4);
    if (options.top)
        SetNumber(key, "top", uint32_t(*options.top), 4);
    SetNumber(key, "TagsUpper", options.tagsUpper, 1);
    SetNumber(key, "HexUpper", options.hexUpper, 1);
    SetNumber(key, "InputHex", options.inputHex, 1);
    SetNumber(key, "CssStyle", options.cssStyle, 1);
    return key.Close();
}

WindowOptions LoadWindowGroup(const CSettingsStore& root)
{
    WindowOptions options;
    CRegistryKey key;
    if (!key.Open(root, kWindowKeyPath))
        return options;
    if (auto left = QueryNumber(key, "Left", 4))
        options.left = int32_t(*left);
    if (auto top = QueryNumber(key, "Top", 4))
        options.top = int32_t(*top);
    options.tagsUpper = QueryNumber(key, "TagsUpper", 1).value_or(options.tagsUpper) != 0;
    options.hexUpper = QueryNumber(key, "HexUpper", 1).value_or(options.hexUpper) != 0;
    options.inputHex = QueryNumber(key, "InputHex", 1).value_or(options.inputHex) != 0;
    options.cssStyle = QueryNumber(key, "CssStyle", 1).value_or(options.cssStyle) != 0;
    return options;
}

bool SaveSchemeGroup(const CSettingsStore& root, const Scheme& scheme)
{
    CRegistryKey key;
    if (!key.Create(root, kSchemeKeyPath))
        return false;
    key.SetString("background", CTextBuffer(scheme.background.data(), uint32_t(scheme.background.size())));
    for (const SchemeBinary& value : kSchemeBinaries)
        SetNumber(key, value.name, value.get(scheme), value.size);
    return key.Close();
}

Scheme LoadSchemeGroup(const CSettingsStore& root)
{
    Scheme scheme;
    CRegistryKey key;
    if (!key.Open(root, kSchemeKeyPath))
        return scheme;
    scheme.background = key.QueryString("background", "").View();
    for (const SchemeBinary& value : kSchemeBinaries)
        if (auto stored = QueryNumber(key, value.name, value.size))
            value.set(scheme, *stored);
    return scheme;
}

bool SavePaletteGroup(const CSettingsStore& root, const CTextBuffer& paletteText)
{
    CRegistryKey key;
    if (!key.Create(root, kPaletteKeyPath))
        return false;
    key.SetString("Palette", paletteText);
    return key.Close();
}

CTextBuffer LoadPaletteGroup(const CSettingsStore& root)
{
    CRegistryKey key;
    if (!key.Open(root, kPaletteKeyPath))
        return CTextBuffer();
    return key.QueryString("Palette", "");
}
