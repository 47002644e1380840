#include "store/FileNames.h"

std::string AddDefaultExtension(std::string_view path, std::string_view extension)
{
    std::string result(path);
    const std::string_view name = FileNameOf(path);
    if (name.empty())
        return result;
    const size_t dot = ExtensionDot(name);
    if (dot == std::string_view::npos)
        result += '.';
    else if (dot + 1 < name.size())
        return result;
    result += extension;
    return result;
}

std::string_view FileNameOf(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

size_t ExtensionDot(std::string_view name)
{
    const size_t dot = name.rfind('.');
    return dot == 0 ? std::string_view::npos : dot;
}
