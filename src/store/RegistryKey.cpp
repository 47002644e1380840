#include "store/RegistryKey.h"

#include "model/Ascii.h"

#include <cstring>
#include <utility>

CRegistryKey::~CRegistryKey()
{
    Close();
}

bool CRegistryKey::Create(const CSettingsStore& root, const char* path)
{
    Close();
    if (!IsValidKeyPath(path) || !root.MakeFolder())
        return false;
    const SettingsSnapshot snapshot = root.Read();
    if (const SettingsKey* stored = snapshot.document.FindKey(path))
        m_key = *stored;
    m_change.keyPath = path;
    m_bCreate = true;
    m_pRoot = &root;
    return true;
}

bool CRegistryKey::Open(const CSettingsStore& root, const char* path)
{
    Close();
    const SettingsSnapshot snapshot = root.Read();
    if (!snapshot.document.HasKey(path))
        return false;
    if (const SettingsKey* stored = snapshot.document.FindKey(path))
        m_key = *stored;
    m_change.keyPath = path;
    m_pRoot = &root;
    return true;
}

bool CRegistryKey::Close()
{
    if (m_pRoot == nullptr)
        return true;
    const bool ok = !m_bCreate && m_change.values.empty() ? true : m_pRoot->Commit(m_change);
    m_pRoot = nullptr;
    m_key = SettingsKey();
    m_change = SettingsChange();
    m_bCreate = false;
    return ok;
}

const SettingsValue* CRegistryKey::FindValue(const char* name) const
{
    return m_pRoot != nullptr ? m_key.FindValue(name) : nullptr;
}

void CRegistryKey::Gather(SettingsValue value)
{
    m_key.SetValue(value);
    for (SettingsValue& pending : m_change.values)
        if (EqualsIgnoreAsciiCase(pending.name, value.name)) {
            pending = std::move(value);
            return;
        }
    m_change.values.push_back(std::move(value));
}

CTextBuffer CRegistryKey::QueryString(const char* name, const char* fallback) const
{
    const SettingsValue* value = FindValue(name);
    if (value == nullptr || !value->isString || value->bytes.size() >= kMaxStringBytes)
        return CTextBuffer(fallback);
    return CTextBuffer(value->bytes.data(), uint32_t(value->bytes.size()));
}

bool CRegistryKey::SetString(const char* name, const CTextBuffer& text)
{
    if (m_pRoot == nullptr)
        return false;
    Gather(SettingsValue{name, true, std::string(text.Data(), ::strnlen(text.Data(), text.Length()))});
    return true;
}

bool CRegistryKey::QueryBinary(const char* name, void* data, uint32_t size) const
{
    const SettingsValue* value = FindValue(name);
    if (value == nullptr || value->isString || value->bytes.size() != size)
        return false;
    if (size > 0)
        std::memcpy(data, value->bytes.data(), size);
    return true;
}

bool CRegistryKey::SetBinary(const char* name, const void* data, uint32_t size)
{
    if (m_pRoot == nullptr)
        return false;
    Gather(SettingsValue{name, false, size > 0 ? std::string(static_cast<const char*>(data), size) : std::string()});
    return true;
}
