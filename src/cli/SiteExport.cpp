#include "cli/SiteExport.h"

#include "files/AtomicFile.h"
#include "text/HtmlExport.h"
#include "text/TextBuffer.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>
#include <unordered_map>

#include <sys/stat.h>

CPageList::CPageList(std::vector<std::string> names, std::istream& in) : m_names(std::move(names)), m_in(in)
{}

std::optional<std::string> CPageList::Next()
{
    while (m_nNext < m_names.size()) {
        if (m_names[m_nNext] != "-") {
            const std::lock_guard lock(m_mutex);
            return m_names[m_nNext++];
        }
        // A second "-" finds the stream at its end.
        for (std::string line; std::getline(m_in, line);) {
            if (line.empty())
                continue;
            const std::lock_guard lock(m_mutex);
            ++m_nFromInput;
            return line;
        }
        const std::lock_guard lock(m_mutex);
        m_bInputDone = true;
        ++m_nNext;
    }
    return std::nullopt;
}

std::optional<size_t> CPageList::Total() const
{
    const std::lock_guard lock(m_mutex);
    const size_t named =
        size_t(std::count_if(m_names.begin(), m_names.end(), [](const std::string& n) { return n != "-"; }));
    const bool inputPending =
        !m_bInputDone && std::find(m_names.begin() + std::ptrdiff_t(m_nNext), m_names.end(), "-") != m_names.end();
    if (inputPending)
        return std::nullopt;
    return named + m_nFromInput;
}

std::string ErrorText(int error)
{
    switch (error) {
    case EACCES:
        return "permission refusée";
    case EPERM:
        return "opération non permise";
    case ENOENT:
        return "fichier ou dossier introuvable";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case EISDIR:
        return "c'est un dossier";
    case ENOSPC:
        return "plus de place sur le disque";
    case EDQUOT:
        return "quota de disque dépassé";
    case EFBIG:
        return "fichier trop grand";
    case EROFS:
        return "système de fichiers en lecture seule";
    case EIO:
        return "erreur d'entrée-sortie";
    case ENAMETOOLONG:
        return "nom de fichier trop long";
    case ELOOP:
        return "trop de liens symboliques";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case ENOMEM:
        return "mémoire insuffisante";
    case EBUSY:
    case ETXTBSY:
        return "fichier occupé";
    default:
        if (const char* name = strerrorname_np(error))
            return std::string("erreur système ") + name;
        return "erreur système " + std::to_string(error);
    }
}

namespace {

// Why a page could not be read: the reader refuses what is not a regular
// file, and files too large for a text buffer, whatever errno says.
std::string ReadFailure(const std::string& page, int error)
{
    struct stat st;
    if (stat(page.c_str(), &st) != 0)
        return ErrorText(errno);
    if (S_ISDIR(st.st_mode))
        return ErrorText(EISDIR);
    if (!S_ISREG(st.st_mode))
        return "ce n'est pas un fichier ordinaire";
    if (uint64_t(st.st_size) > CTextBuffer::maxLength)
        return ErrorText(EFBIG);
    return error != 0 ? ErrorText(error) : "cause inconnue";
}

// Why a page could not be written: a page without any write bit is read-only
// for every user (root included), and the writer then sets no errno.
std::string WriteFailure(const std::string& page, int error)
{
    struct stat st;
    if (stat(page.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
        return "page en lecture seule";
    return error != 0 ? ErrorText(error) : "cause inconnue";
}

std::optional<std::string> ExportOnePage(const std::string& page, std::string_view tag)
{
    errno = 0;
    const ExportResult result = ExportBodyTag(page.c_str(), tag, false);
    const int error = errno;
    switch (result) {
    case ExportResult::Exported:
        return std::nullopt;
    case ExportResult::CannotRead:
        return "lecture impossible (" + ReadFailure(page, error) + ")";
    case ExportResult::CannotWrite:
        return "écriture impossible (" + WriteFailure(page, error) + ")";
    case ExportResult::CannotCreate:
        return "création impossible (" + (error != 0 ? ErrorText(error) : std::string("cause inconnue")) + ")";
    }
    return "cause inconnue";
}

std::string ResolvedPath(const std::string& page)
{
    auto resolve = [](const char* path) {
        std::string resolved;
        if (char* r = realpath(path, nullptr)) {
            resolved = r;
            std::free(r);
        }
        return resolved;
    };
    if (std::string resolved = resolve(page.c_str()); !resolved.empty())
        return resolved;
    // A page still to be created: its folder resolved, its own name as given.
    const size_t slash = page.rfind('/');
    const std::string resolved = resolve(FolderOf(page).c_str());
    return resolved.empty() ? page : resolved + page.substr(slash == std::string::npos ? 0 : slash);
}

// What makes two names one file: its resolved path, which a save that
// replaces the file keeps, and its inode, which hard links share.
std::vector<std::string> IdentityKeys(const std::string& page)
{
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about a
    // literal + a temporary string here.
    std::vector<std::string> keys(1, "p");
    keys[0] += ResolvedPath(page);
    struct stat st;
    if (stat(page.c_str(), &st) == 0) {
        std::string inode = "i";
        inode += std::to_string(st.st_dev);
        inode += ':';
        inode += std::to_string(st.st_ino);
        keys.push_back(std::move(inode));
    }
    return keys;
}

class CSiteExport
{
public:
    CSiteExport(CPageList& pages, std::string_view tag, const SiteExportCallbacks& callbacks)
        : m_pages(pages), m_tag(tag), m_callbacks(callbacks)
    {}

    SiteExportReport Run(unsigned workers)
    {
        const unsigned count = std::max(workers, 1u);
        m_nRunning = count;
        std::vector<std::thread> threads;
        for (unsigned i = 0; i < count; ++i)
            threads.emplace_back([this] { Work(); });
        ShowProgress();
        for (std::thread& thread : threads)
            thread.join();
        return m_report;
    }

private:
    struct Job
    {
        std::string page;
        size_t ticket;
        std::vector<std::string> keys;
    };

    void Work()
    {
        while (std::optional<Job> job = TakeNext()) {
            WaitForTurn(*job);
            const std::optional<std::string> reason = ExportOnePage(job->page, m_tag);
            if (reason && m_callbacks.onFailure) {
                const std::lock_guard report(m_reportMutex);
                m_callbacks.onFailure({job->page, *reason});
            }
            const std::lock_guard lock(m_stateMutex);
            for (const std::string& key : job->keys) {
                auto line = m_lines.find(key);
                line->second.pop_front();
                if (line->second.empty())
                    m_lines.erase(line);
            }
            ++(reason ? m_report.failed : m_report.written);
            m_changed.notify_all();
        }
        const std::lock_guard lock(m_stateMutex);
        --m_nRunning;
        m_changed.notify_all();
    }

    // Pages get their tickets and their places in line in list order, so
    // that the names of one file are written in that order.
    std::optional<Job> TakeNext()
    {
        const std::lock_guard queue(m_queueMutex);
        std::optional<std::string> page = m_pages.Next();
        if (!page)
            return std::nullopt;
        Job job{std::move(*page), 0, {}};
        job.keys = IdentityKeys(job.page);
        const std::lock_guard lock(m_stateMutex);
        job.ticket = m_nNextTicket++;
        for (const std::string& key : job.keys)
            m_lines[key].push_back(job.ticket);
        return job;
    }

    void WaitForTurn(const Job& job)
    {
        std::unique_lock lock(m_stateMutex);
        m_changed.wait(lock, [&] {
            return std::all_of(job.keys.begin(), job.keys.end(),
                               [&](const std::string& key) { return m_lines[key].front() == job.ticket; });
        });
    }

    void ShowProgress()
    {
        using Clock = std::chrono::steady_clock;
        std::unique_lock lock(m_stateMutex);
        auto next = Clock::now() + m_callbacks.progressEvery;
        while (m_nRunning > 0) {
            if (m_changed.wait_until(lock, next, [this] { return m_nRunning == 0; }))
                break;
            next += m_callbacks.progressEvery;
            const size_t done = m_report.written + m_report.failed;
            lock.unlock();
            if (m_callbacks.onProgress) {
                const std::optional<size_t> total = m_pages.Total();
                const std::lock_guard report(m_reportMutex);
                m_callbacks.onProgress(done, total);
            }
            lock.lock();
        }
    }

    CPageList& m_pages;
    const std::string_view m_tag;
    const SiteExportCallbacks& m_callbacks;
    std::mutex m_queueMutex;  // taking the next page and its place in line
    std::mutex m_stateMutex;  // everything below
    std::mutex m_reportMutex; // the callbacks
    std::condition_variable m_changed;
    // For each identity key, the tickets of the pages waiting for it or
    // being written, oldest first.
    std::unordered_map<std::string, std::deque<size_t>> m_lines;
    size_t m_nNextTicket = 0;
    unsigned m_nRunning = 0;
    SiteExportReport m_report;
};

} // namespace

SiteExportReport ExportSite(CPageList& pages, std::string_view tag, unsigned workers,
                            const SiteExportCallbacks& callbacks)
{
    return CSiteExport(pages, tag, callbacks).Run(workers);
}

unsigned DefaultWorkerCount()
{
    // Each save waits for its file to reach the disk: with a few workers per
    // core the disk has several saves to merge while the cores stay busy.
    return std::clamp(4 * std::thread::hardware_concurrency(), 4u, 64u);
}
