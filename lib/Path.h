#pragma once

namespace TrovLib
{

// The one path separator of every relative path, node name, result name and ignore rule.
#ifdef _WIN32
inline constexpr char SEPARATOR = '\\';
#else
inline constexpr char SEPARATOR = '/';
#endif

} // namespace TrovLib
