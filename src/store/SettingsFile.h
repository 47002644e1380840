// The settings file's text form: the registry's own REGEDIT4 export syntax.
//
//   REGEDIT4
//
//   [SOFTWARE\ZV\ZV Velloran\Scheme]
//   "background"="images\\fond.gif"
//   "bgcolor"=hex:01,00,00,ff
//
// Strings are byte strings without NUL. Besides \\ and \" the writer escapes
// CR (\r), LF (\n), tab (\t), other control bytes and every byte that is not
// part of valid UTF-8 (\xHH), so any byte string survives a round trip and a
// value always stays on one line. Key paths and value names match without
// regard to the case of ASCII letters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct SettingsValue
{
    std::string name;
    bool isString = false; // else binary
    std::string bytes;     // a string's bytes without a terminating NUL
};

struct SettingsKey
{
    std::string path;
    std::vector<SettingsValue> values; // in file order

    const SettingsValue* FindValue(std::string_view name) const;
    // Replaces the value of the same name (keeping its stored spelling) or
    // appends a new one.
    void SetValue(const SettingsValue& value);
};

struct SettingsDocument
{
    std::vector<SettingsKey> keys; // in file order

    const SettingsKey* FindKey(std::string_view path) const;
    // The key of that path, appended empty when missing.
    SettingsKey& CreateKey(std::string_view path);
    // A key exists when it or any key below it is in the file, as the
    // registry creates every parent of a created key.
    bool HasKey(std::string_view path) const;
};

struct ParsedSettings
{
    SettingsDocument document;
    // Something in the text was not understood (or the text was cut short):
    // what could be read is in document, the rest was dropped.
    bool damaged = false;
};

// Never fails: unknown or broken lines are skipped and mark the result
// damaged, as do a missing "REGEDIT4" header and a last line without its
// line end. Values before the first valid key header are dropped.
ParsedSettings ParseSettings(std::string_view text);

// The file text of a document; ParseSettings gives it back unchanged and not
// damaged.
std::string FormatSettings(const SettingsDocument& document);

// A key path that the file form can hold: not empty, no control bytes.
bool IsValidKeyPath(std::string_view path);
