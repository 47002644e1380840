#include "files/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr std::string_view kTempInfix = ".velloran-tmp-";
constexpr std::string_view kBackupInfix = ".velloran-backup-";

class CFd
{
public:
    explicit CFd(int fd = -1) : m_nFd(fd) {}
    CFd(CFd&& other) noexcept : m_nFd(other.Release()) {}
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    ~CFd() { Close(); }

    int Release()
    {
        const int fd = m_nFd;
        m_nFd = -1;
        return fd;
    }

    int Get() const { return m_nFd; }
    bool IsOpen() const { return m_nFd >= 0; }
    // false when the close reports an error (a write that did not land).
    bool Close()
    {
        const bool ok = m_nFd < 0 || ::close(m_nFd) == 0;
        m_nFd = -1;
        return ok;
    }

private:
    int m_nFd;
};

// A big file is written a stretch at a time and each stretch is handed to the
// disk at once, so that the closing fsync waits for the last stretch only,
// not for the whole file (the disk works while the rest is written).
constexpr size_t kStretch = size_t(8) << 20;

void HandToDisk([[maybe_unused]] int fd)
{
#ifdef SYNC_FILE_RANGE_WRITE
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const size_t count = bytes.size() < kStretch ? bytes.size() : kStretch;
        const ssize_t n = ::write(fd, bytes.data(), count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(size_t(n));
        if (count == kStretch)
            HandToDisk(fd);
    }
    return true;
}

// Appends length bytes of from, at offset, to to. The system copies them
// itself where it can (copy_file_range), else they pass through a buffer.
// False when from ends before them.
bool CopyRange(int from, uint64_t offset, uint64_t length, int to)
{
    std::unique_ptr<char[]> buffer;
    constexpr size_t kBuffer = size_t(1) << 20;
    size_t sinceHandedOver = 0;
    while (length > 0) {
        const size_t count = length < kStretch ? size_t(length) : kStretch;
        ssize_t n = -1;
        if (!buffer) {
            auto in = off_t(offset);
            n = ::copy_file_range(from, &in, to, nullptr, count, 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                buffer.reset(new char[kBuffer]);
                continue;
            }
        } else {
            n = ::pread(from, buffer.get(), count < kBuffer ? count : kBuffer, off_t(offset));
            if (n > 0 && !WriteAll(to, {buffer.get(), size_t(n)}))
                return false;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        offset += uint64_t(n);
        length -= uint64_t(n);
        sinceHandedOver += size_t(n);
        if (sinceHandedOver >= kStretch) {
            HandToDisk(to);
            sinceHandedOver = 0;
        }
    }
    return true;
}

// Copies the whole of from into to, both from their start; to is cut to size.
bool CopyContent(int from, int to)
{
    struct stat st;
    if (::fstat(from, &st) != 0 || ::lseek(to, 0, SEEK_SET) != 0 || ::ftruncate(to, 0) != 0)
        return false;
    return CopyRange(from, 0, uint64_t(st.st_size), to) && ::fsync(to) == 0;
}

// Follows symbolic links so that a save writes the file a link points to; a
// dangling link resolves to the missing file it names.
bool ResolveLinks(std::string& path)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT;
        if (!S_ISLNK(st.st_mode))
            return true;
        std::string target(size_t(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || size_t(n) >= target.size())
            return false;
        target.resize(size_t(n));
        path = target[0] == '/' ? target : path.substr(0, path.rfind('/') + 1) + target;
    }
    return false;
}

bool MayWrite(const std::string& path, const struct stat& st)
{
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool MayWriteFolder(const std::string& folder)
{
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// A new locked file ".<name><infix><pid>-<n>" in folder. The name part is
// shortened so that the whole name stays within NAME_MAX.
CFd CreateTemporary(const std::string& folder, const std::string& target, std::string_view infix, mode_t mode,
                    std::string& tempPath)
{
    static std::atomic<unsigned> serial{0};
    const std::string name = target.substr(target.rfind('/') + 1, 100);
    const std::string prefix = folder + "/." + name + std::string(infix) + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = prefix + std::to_string(++serial);
        CFd fd(::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (fd.IsOpen()) {
            ::flock(fd.Get(), LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST)
            break;
    }
    return CFd();
}

// The pid in a name ".<anything>.velloran-tmp-<pid>-<n>", or 0.
pid_t TemporaryOwner(std::string_view name)
{
    const size_t at = name.rfind(kTempInfix);
    if (name.empty() || name[0] != '.' || at == std::string_view::npos)
        return 0;
    std::string_view rest = name.substr(at + kTempInfix.size());
    const size_t dash = rest.find('-');
    auto digits = [](std::string_view s) {
        return !s.empty() && s.size() < 10 && s.find_first_not_of("0123456789") == s.npos;
    };
    if (dash == std::string_view::npos || !digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1)))
        return 0;
    return pid_t(std::atoi(std::string(rest.substr(0, dash)).c_str()));
}

// Once per folder and process: the scan reads the whole folder, and doing it
// at every save made saving every page of a flat folder quadratic.
bool FirstSaveInto(const std::string& folder)
{
    static std::mutex mutex;
    static std::unordered_set<std::string> seen;
    const std::lock_guard lock(mutex);
    return seen.insert(folder).second;
}

void RemoveStaleTemporaries(const std::string& folder)
{
    if (!FirstSaveInto(folder))
        return;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t pid = TemporaryOwner(entry->d_name);
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        CFd fd(::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat st;
        if (fd.IsOpen() && ::fstat(fd.Get(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

// Gives the temporary the target's owner, group and mode; an owner or group
// that cannot be kept takes the matching setuid or setgid bit with it.
bool KeepOwnerAndMode(int fd, const struct stat& target)
{
    struct stat own;
    if (::fstat(fd, &own) != 0)
        return false;
    mode_t mode = target.st_mode & 07777;
    if (own.st_gid != target.st_gid && ::fchown(fd, uid_t(-1), target.st_gid) != 0)
        mode &= ~mode_t(S_ISGID);
    if (own.st_uid != target.st_uid && ::fchown(fd, target.st_uid, gid_t(-1)) != 0)
        mode &= ~mode_t(S_ISUID);
    return ::fchmod(fd, mode) == 0;
}

void CopyAttributes(const std::string& from, int to)
{
    const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(size_t(size) + 1, '\0');
    if (::listxattr(from.c_str(), names.data(), names.size() - 1) != size)
        return;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size; name += std::string_view(name).size() + 1) {
        const ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(size_t(length) + 1);
        const ssize_t got = ::getxattr(from.c_str(), name, value.data(), value.size());
        if (got >= 0)
            ::fsetxattr(to, name, value.data(), size_t(got), 0);
    }
}

bool Produce(int fd, int oldContent, const struct stat* old, const FileEditor& edit)
{
    const auto write = [fd](std::string_view piece) { return WriteAll(fd, piece); };
    const auto copy = [fd, oldContent](uint64_t offset, uint64_t length) {
        return length == 0 || (oldContent >= 0 && CopyRange(oldContent, offset, length, fd));
    };
    const auto startOver = [fd] { return ::lseek(fd, 0, SEEK_SET) == 0 && ::ftruncate(fd, 0) == 0; };
    return edit(oldContent, old, write, copy, startOver) && ::fsync(fd) == 0;
}

void SyncFolder(const std::string& folder)
{
    // Makes a rename durable; some file systems refuse to sync a folder, and
    // the new file is in place either way.
    CFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen())
        ::fsync(dir.Get());
}

bool WriteInPlace(const std::string& target, const struct stat& st, const std::string& folder, const FileEditor& edit)
{
    CFd file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat now;
    if (!file.IsOpen() || ::fstat(file.Get(), &now) != 0 || now.st_ino != st.st_ino || now.st_dev != st.st_dev)
        return false;
    std::string backupFolder = folder;
    if (!MayWriteFolder(folder)) {
        const char* tmp = std::getenv("TMPDIR");
        backupFolder = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
    }
    std::string backupPath;
    CFd backup = CreateTemporary(backupFolder, target, kBackupInfix, 0600, backupPath);
    if (!backup.IsOpen())
        return false;
    if (!CopyContent(file.Get(), backup.Get())) {
        ::unlink(backupPath.c_str());
        return false;
    }
    if (::lseek(file.Get(), 0, SEEK_SET) == 0 && ::ftruncate(file.Get(), 0) == 0 &&
        Produce(file.Get(), backup.Get(), &now, edit)) {
        ::unlink(backupPath.c_str());
        return true;
    }
    // The backup stays where it is when even the copy back fails.
    if (CopyContent(backup.Get(), file.Get()))
        ::unlink(backupPath.c_str());
    return false;
}

bool WriteAndRename(const std::string& target, const struct stat* existing, const std::string& folder, bool readOld,
                    const FileEditor& edit)
{
    std::string tempPath;
    CFd temp = CreateTemporary(folder, target, kTempInfix, existing ? 0600 : 0666, tempPath);
    if (!temp.IsOpen())
        return false;
    if (existing)
        CopyAttributes(target, temp.Get());
    // Owner and mode come after the attributes: a change of owner drops the
    // security attributes and setuid bits that the attributes copy may set.
    const CFd old(existing && readOld ? OpenRegularFile(target.c_str()) : -1);
    const bool ok =
        (!existing || KeepOwnerAndMode(temp.Get(), *existing)) && Produce(temp.Get(), old.Get(), existing, edit);
    if (!temp.Close() || !ok || ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

} // namespace

namespace {

bool Save(const std::string& path, bool readOld, const FileEditor& edit)
{
    std::string target = path;
    if (target.empty() || !ResolveLinks(target))
        return false;
    const std::string folder = FolderOf(target);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || !MayWrite(target, st)))
        return false;
    const bool folderWritable = MayWriteFolder(folder);
    if (exists && (st.st_nlink > 1 || !folderWritable))
        return WriteInPlace(target, st, folder, edit);
    if (!folderWritable)
        return false;
    RemoveStaleTemporaries(folder);
    return WriteAndRename(target, exists ? &st : nullptr, folder, readOld, edit);
}

} // namespace

bool ReplaceFile(const std::string& path, const FileProducer& produce)
{
    return Save(path, false,
                [&produce](int, const struct stat*, const FilePieceWriter& write, const OldContentCopier&,
                           const NewContentRestarter&) { return produce(write); });
}

bool EditFile(const std::string& path, const FileEditor& edit)
{
    return Save(path, true, edit);
}

bool ReplaceFile(const std::string& path, std::string_view bytes)
{
    return ReplaceFile(path, [bytes](const FilePieceWriter& write) { return write(bytes); });
}

int OpenRegularFile(const char* path)
{
    CFd fd(::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st;
    if (!fd.IsOpen() || ::fstat(fd.Get(), &st) != 0)
        return -1;
    if (!S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    return fd.Release();
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool ReadUpTo(int fd, char* into, size_t count, size_t& got)
{
    for (got = 0; got < count;) {
        const ssize_t n = ::read(fd, into + got, count - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        got += size_t(n);
    }
    return true;
}
