// The constants that res/ResourceIds.h declares, read from its source, so that
// an id added there without a text or a menu item is noticed.
#pragma once

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

struct DeclaredId
{
    std::string name;
    int value;
};

// Every "constexpr int <prefix>... = <n>;" of the header, in header order.
inline std::vector<DeclaredId> ReadDeclaredIds(const std::string& prefix)
{
    std::ifstream file(VELLORAN_RESOURCE_IDS_HEADER);
    std::stringstream text;
    text << file.rdbuf();
    const std::string source = text.str();
    const std::regex declaration("constexpr int (" + prefix + "\\w+) = (\\d+);");
    std::vector<DeclaredId> ids;
    for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it)
        ids.push_back({(*it)[1].str(), std::stoi((*it)[2].str())});
    return ids;
}
