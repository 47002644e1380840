// Scratch files and readable results for the HTML import and export tests.
#pragma once

#include "text/HtmlExport.h"
#include "text/HtmlImport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with its content.
class CScratchDir
{
public:
    CScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velloran-html-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~CScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    std::string Path(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void PrintTo(ImportResult result, std::ostream* os)
{
    const char* names[] = {"Imported", "CannotRead", "NoBodyTag"};
    *os << names[int(result)];
}

inline void PrintTo(ExportResult result, std::ostream* os)
{
    const char* names[] = {"Exported", "CannotRead", "CannotWrite"};
    *os << names[int(result)];
}
