// The root of the settings store: one per-user file in the form of
// SettingsFile.h, read whole and replaced whole.
//
// A commit holds an exclusive flock on "<file>.lock" beside the file, re-reads
// the file, applies one key's changes and replaces the file by the rule of
// files/AtomicFile.h, so two processes writing at once lose nothing. A damaged
// file is copied to "<file>.bad" (then ".bad2", ".bad3") on the commit that
// replaces it. Readers take no lock: a rename never shows them a half file.
#pragma once

#include "store/SettingsFile.h"

#include <chrono>
#include <string>

struct SettingsSnapshot
{
    SettingsDocument document;
    bool damaged = false;
    // The file exists but could not be read (a missing file is readable and
    // empty); nothing should then be written over it.
    bool unreadable = false;
};

// One key's changes, applied on top of whatever the file holds at commit time.
struct SettingsChange
{
    std::string keyPath;
    std::vector<SettingsValue> values;
};

class CSettingsStore
{
public:
    // Larger files are read only this far, and count as damaged: the next
    // commit keeps them whole as a damaged copy.
    static constexpr size_t kMaxFileBytes = 1 << 20;
    // Damaged copies kept beside the file.
    static constexpr int kDamagedCopies = 3;

    explicit CSettingsStore(std::string path);

    // $XDG_CONFIG_HOME/velloran/settings.reg, XDG_CONFIG_HOME defaulting to
    // $HOME/.config; empty when neither can be found.
    static std::string DefaultPath();

    const std::string& Path() const { return m_strPath; }
    std::string LockPath() const { return m_strPath + ".lock"; }

    // How long a commit waits for another writer before it fails.
    void SetLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }

    SettingsSnapshot Read() const;

    // Creates the file's folder (and its parents) when missing.
    bool MakeFolder() const;

    // Creates the key when missing and sets the values; false when anything
    // failed, and then the file is as it was.
    bool Commit(const SettingsChange& change) const;

private:
    std::string m_strPath;
    std::chrono::milliseconds m_lockTimeout{3000};
};
