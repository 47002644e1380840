// One open key of the settings store at a time, after the registry's key
// handle.
//
// Reads answer from the file as it was when the key was opened or created,
// plus this key's own writes. Writes are gathered and committed together by
// Close (or the next Create / Open, or destruction), so one group of values
// is one commit; only Close reports the commit's result.
//
//   CRegistryKey key;
//   if (key.Create(store, "SOFTWARE\\ZV\\ZV Velloran\\Scheme")) {
//       key.SetString("background", path);
//       key.SetBinary("bgcolor", bytes, 4);
//   }
//   bool saved = key.Close();
#pragma once

#include "store/SettingsStore.h"
#include "text/TextBuffer.h"

#include <cstdint>

class CRegistryKey
{
public:
    // The read buffer, the terminating NUL included: a string of 5000 bytes or
    // more is not read.
    static constexpr uint32_t kMaxStringBytes = 5000;

    CRegistryKey() = default;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    ~CRegistryKey();

    // Closes any open key, then opens path under root (which must outlive the
    // open key), to be created at Close when missing. False when the path is not a valid key path or the
    // settings folder cannot be created.
    bool Create(const CSettingsStore& root, const char* path);
    // Closes any open key, then opens path only when the key exists.
    bool Open(const CSettingsStore& root, const char* path);
    // Commits the gathered writes (and a created key) and closes the key.
    // False when a commit was needed and failed; true with no key open.
    bool Close();
    bool IsOpen() const { return m_pRoot != nullptr; }

    // The string value, or fallback when no key is open, the value is
    // missing, binary, or kMaxStringBytes long or longer.
    CTextBuffer QueryString(const char* name, const char* fallback) const;
    // Gathers the text up to its first NUL; false when no key is open.
    bool SetString(const char* name, const CTextBuffer& text);

    // Fills data with the binary value when it has exactly size bytes; false
    // (data untouched) when no key is open or the value is missing, a string,
    // or of another size.
    bool QueryBinary(const char* name, void* data, uint32_t size) const;
    // Gathers size bytes from data; false when no key is open.
    bool SetBinary(const char* name, const void* data, uint32_t size);

private:
    const SettingsValue* FindValue(const char* name) const;
    void Gather(SettingsValue value);

    const CSettingsStore* m_pRoot = nullptr;
    SettingsKey m_key; // as read, with this key's writes applied
    SettingsChange m_change;
    bool m_bCreate = false;
};
