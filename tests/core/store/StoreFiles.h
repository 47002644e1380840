// Scratch folders and whole-file access for the store tests.
#pragma once

#include "store/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with its content.
class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velloran-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string PathOf(std::string_view name) const { return (m_folder / name).string(); }
    // The settings file of these tests, in a folder not made yet.
    std::string SettingsPath() const { return PathOf("config/velloran/settings.reg"); }

    static void WriteBytes(const std::string& path, std::string_view bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_folder;
};

inline bool operator==(const WindowOptions& a, const WindowOptions& b)
{
    return a.left == b.left && a.top == b.top && a.tagsUpper == b.tagsUpper && a.hexUpper == b.hexUpper &&
           a.inputHex == b.inputHex;
}

inline void PrintTo(const WindowOptions& o, std::ostream* os)
{
    *os << "{left " << (o.left ? std::to_string(*o.left) : "-") << " top " << (o.top ? std::to_string(*o.top) : "-")
        << " tagsUpper " << o.tagsUpper << " hexUpper " << o.hexUpper << " inputHex " << o.inputHex << '}';
}
