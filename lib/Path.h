#pragma once

#include <cstring>
#include <string_view>

namespace TrovLib
{

// The one path separator of every relative path, node name, result name and ignore rule.
#ifdef _WIN32
inline constexpr char SEPARATOR = '\\';
#else
inline constexpr char SEPARATOR = '/';
#endif

// The part of a path after its last separator: the whole path when it holds none, an
// empty text when it ends with one.
inline const char* LastComponent(const char* path)
{
    const char* separator = std::strrchr(path, SEPARATOR);
    return separator != nullptr ? separator + 1 : path;
}
inline std::string_view LastComponent(std::string_view path)
{
    return path.substr(path.rfind(SEPARATOR) + 1); // npos + 1 is the whole path
}

} // namespace TrovLib
