#include "store/SettingsStore.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr auto kLockRetryInterval = std::chrono::milliseconds(10);

class CFileHandle
{
public:
    explicit CFileHandle(int fd) : m_nFd(fd) {}
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle() { Close(); }

    int Get() const { return m_nFd; }
    bool IsOpen() const { return m_nFd >= 0; }
    // false when the close reports an error (a write that did not land).
    bool Close()
    {
        if (m_nFd < 0)
            return true;
        const bool ok = ::close(m_nFd) == 0;
        m_nFd = -1;
        return ok;
    }

private:
    int m_nFd;
};

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

// Bounded: a writer that never lets go (or a stuck file system) makes the
// commit fail instead of freezing the program.
bool LockExclusive(int fd, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kLockRetryInterval);
    }
}

// The file a rename must replace: the target of a symbolic link, so the link
// itself survives.
std::string ResolveTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

// Writes text to a new temporary file beside target and syncs it; its name,
// or empty on failure (nothing is then left behind).
std::string WriteTemporary(const std::string& target, std::string_view text)
{
    std::string name = target + ".tmpXXXXXX";
    CFileHandle file(::mkostemp(name.data(), O_CLOEXEC));
    if (!file.IsOpen())
        return {};
    if (!WriteAll(file.Get(), text) || ::fsync(file.Get()) != 0 || !file.Close()) {
        ::unlink(name.c_str());
        return {};
    }
    return name;
}

// Keeps the damaged file as "<target>.bad". A hard link leaves the target in
// place until the new file replaces it; where links are not supported the
// damaged file is moved aside, and *moved tells the caller to undo that if
// the replacement fails.
bool KeepDamagedCopy(const std::string& target, const std::string& temporary, bool* moved)
{
    const std::string bad = target + ".bad";
    const std::string link = temporary + ".bad";
    *moved = false;
    if (::link(target.c_str(), link.c_str()) == 0) {
        if (::rename(link.c_str(), bad.c_str()) == 0)
            return true;
        ::unlink(link.c_str());
        return false;
    }
    if (::rename(target.c_str(), bad.c_str()) != 0)
        return false;
    *moved = true;
    return true;
}

void SyncFolder(const std::string& path)
{
    // Makes the rename durable; some file systems refuse to sync a folder,
    // and the new file is in place either way, so the result is not needed.
    CFileHandle folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsOpen())
        ::fsync(folder.Get());
}

bool ApplyChange(SettingsDocument& document, const SettingsChange& change)
{
    bool changed = document.FindKey(change.keyPath) == nullptr;
    SettingsKey& key = document.CreateKey(change.keyPath);
    for (const SettingsValue& value : change.values) {
        const SettingsValue* old = key.FindValue(value.name);
        if (old == nullptr || old->isString != value.isString || old->bytes != value.bytes)
            changed = true;
        key.SetValue(value);
    }
    return changed;
}

} // namespace

CSettingsStore::CSettingsStore(std::string path) : m_strPath(std::move(path))
{}

std::string CSettingsStore::DefaultPath()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return std::string(config) + "/velloran/settings.reg";
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && env[0] != '\0')
        home = env;
    else {
        struct passwd entry;
        struct passwd* found = nullptr;
        char buffer[4096];
        if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
            found->pw_dir != nullptr)
            home = found->pw_dir;
    }
    if (home.empty())
        return {};
    return home + "/.config/velloran/settings.reg";
}

SettingsSnapshot CSettingsStore::Read() const
{
    SettingsSnapshot snapshot;
    // Non-blocking open: a FIFO in the file's place must not hang the reader.
    CFileHandle file(::open(m_strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.IsOpen()) {
        snapshot.unreadable = errno != ENOENT;
        return snapshot;
    }
    struct stat st;
    if (::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        snapshot.unreadable = true;
        return snapshot;
    }
    std::string text;
    char chunk[16384];
    while (text.size() <= kMaxFileBytes) {
        const ssize_t n = ::read(file.Get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            snapshot.unreadable = true;
            return snapshot;
        }
        if (n == 0)
            break;
        text.append(chunk, size_t(n));
    }
    const bool tooLarge = text.size() > kMaxFileBytes;
    if (tooLarge)
        text.resize(kMaxFileBytes);
    ParsedSettings parsed = ParseSettings(text);
    snapshot.document = std::move(parsed.document);
    snapshot.damaged = parsed.damaged || tooLarge;
    return snapshot;
}

bool CSettingsStore::MakeFolder() const
{
    if (m_strPath.empty())
        return false;
    const std::string folder = FolderOf(m_strPath);
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
    return IsDirectory(folder);
}

bool CSettingsStore::Commit(const SettingsChange& change) const
{
    if (!IsValidKeyPath(change.keyPath) || !MakeFolder())
        return false;
    CFileHandle lock(::open(LockPath().c_str(), O_RDWR | O_CREAT | O_NOCTTY | O_CLOEXEC, 0600));
    if (!lock.IsOpen() || !LockExclusive(lock.Get(), m_lockTimeout))
        return false;

    SettingsSnapshot snapshot = Read();
    if (snapshot.unreadable)
        return false;
    if (!ApplyChange(snapshot.document, change) && !snapshot.damaged)
        return true;

    const std::string target = ResolveTarget(m_strPath);
    const std::string temporary = WriteTemporary(target, FormatSettings(snapshot.document));
    if (temporary.empty())
        return false;
    bool moved = false;
    if (snapshot.damaged && !KeepDamagedCopy(target, temporary, &moved)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        if (moved)
            ::rename((target + ".bad").c_str(), target.c_str());
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target);
    return true;
}
