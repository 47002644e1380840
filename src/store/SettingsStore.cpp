#include "store/SettingsStore.h"

#include "files/AtomicFile.h"

#include <cerrno>
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

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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

std::string DamagedCopyName(const std::string& path, int n)
{
    return path + ".bad" + (n > 1 ? std::to_string(n) : "");
}

// Copies the damaged file to the first free name of "<file>.bad", ".bad2" and
// ".bad3"; with all three taken the last is replaced, so the first damaged
// files stay. The name of the copy, or empty when it failed.
std::string KeepDamagedCopy(const std::string& path)
{
    std::string name;
    for (int n = 1; n <= CSettingsStore::kDamagedCopies; ++n) {
        name = DamagedCopyName(path, n);
        struct stat st;
        if (::lstat(name.c_str(), &st) != 0)
            break;
    }
    CFileHandle from(OpenRegularFile(path.c_str()));
    const bool copied = from.IsOpen() && ReplaceFile(name, [&](const FilePieceWriter& write) {
                            char chunk[65536];
                            for (;;) {
                                const ssize_t n = ::read(from.Get(), chunk, sizeof chunk);
                                if (n < 0 && errno == EINTR)
                                    continue;
                                if (n <= 0)
                                    return n == 0;
                                if (!write({chunk, size_t(n)}))
                                    return false;
                            }
                        });
    return copied ? name : std::string();
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
    CFileHandle file(OpenRegularFile(m_strPath.c_str()));
    if (!file.IsOpen()) {
        snapshot.unreadable = errno != ENOENT;
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

    // The damaged file is copied aside first; the copy goes again when the
    // new file cannot be written, so a retry finds the same free name.
    std::string damagedCopy;
    if (snapshot.damaged && (damagedCopy = KeepDamagedCopy(m_strPath)).empty())
        return false;
    if (ReplaceFile(m_strPath, FormatSettings(snapshot.document)))
        return true;
    if (!damagedCopy.empty())
        ::unlink(damagedCopy.c_str());
    return false;
}
