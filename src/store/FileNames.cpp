#include "store/FileNames.h"

std::string AddDefaultExtension(std::string_view path, std::string_view extension)
{
    std::string result(path);
    const size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return result;
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        result += '.';
    else if (dot + 1 < name.size())
        return result;
    result += extension;
    return result;
}
