// Writing one body tag into many pages at once: the export of the window,
// page by page, on several threads.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <istream>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pages named on the command line, in order; "-" stands for the lines of
// the input stream (one page a line, empty lines skipped), read only as far as
// the export has got.
class CPageList
{
public:
    CPageList(std::vector<std::string> names, std::istream& in);

    std::optional<std::string> Next();
    // Known once every name has been handed out or the input stream is at
    // its end.
    std::optional<size_t> Total() const;

private:
    std::vector<std::string> m_names;
    std::istream& m_in;
    size_t m_nNext = 0;
    size_t m_nFromInput = 0;
    bool m_bInputDone = false;
    mutable std::mutex m_mutex; // Total() is asked from another thread
};

struct PageFailure
{
    std::string page; // as named
    std::string reason;
};

struct SiteExportReport
{
    size_t written = 0;
    size_t failed = 0;
};

struct SiteExportCallbacks
{
    // Never two calls at once, and never at the same time as onProgress.
    std::function<void(const PageFailure&)> onFailure;
    // Called on the calling thread about every progressEvery while pages are
    // being written.
    std::function<void(size_t done, std::optional<size_t> total)> onProgress;
    std::chrono::milliseconds progressEvery{200};
};

// Every page treated as the window's Export does (ExportBodyTag, reading the
// old content). A page that fails leaves the others going. Each page's bytes
// are those of a sequential run in the given order: two names of one file
// (the same name twice, a symbolic or a hard link) are written one after the
// other, in order. A worker has at most two files open at once.
SiteExportReport ExportSite(CPageList& pages, std::string_view tag, unsigned workers,
                            const SiteExportCallbacks& callbacks);

// Four workers per core, at least 4, at most 64: at most 128 files open.
unsigned DefaultWorkerCount();

// A short French text for an errno value ("plus de place sur le disque").
std::string ErrorText(int error);
