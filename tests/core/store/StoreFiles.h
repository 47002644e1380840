// The fixture and readable values of the store tests.
#pragma once

#include "ScratchFiles.h"
#include "store/Settings.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

// Each test gets a fresh scratch folder.
class StoreTest : public ::testing::Test
{
protected:
    std::string PathOf(std::string_view name) const { return m_scratch.Path(name); }
    // The settings file of these tests, in a folder not made yet.
    std::string SettingsPath() const { return PathOf("config/velloran/settings.reg"); }

private:
    CScratchDir m_scratch;
};

inline bool operator==(const WindowOptions& a, const WindowOptions& b)
{
    return a.left == b.left && a.top == b.top && a.tagsUpper == b.tagsUpper && a.hexUpper == b.hexUpper &&
           a.inputHex == b.inputHex && a.cssStyle == b.cssStyle;
}

inline void PrintTo(const WindowOptions& o, std::ostream* os)
{
    *os << "{left " << (o.left ? std::to_string(*o.left) : "-") << " top " << (o.top ? std::to_string(*o.top) : "-")
        << " tagsUpper " << o.tagsUpper << " hexUpper " << o.hexUpper << " inputHex " << o.inputHex << " cssStyle "
        << o.cssStyle << '}';
}
