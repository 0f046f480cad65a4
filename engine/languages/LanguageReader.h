#pragma once

#include <string>
#include <string_view>

namespace Vn
{

class LanguageTable;

// Reads the records of a language file into a table: "[id]" starts a language, "[?ext]" a
// group that settles an ambiguous extension, and each "key = tokens attributes" line adds
// to the record above it. A line "NAME = id" before any record maps a file name or an
// extension to a language. Every fault throws LanguageTable::Error naming the source and
// the line.
class LanguageReader
{
public:
    static void Read(std::string_view text, const std::string& source, LanguageTable& table);

private:
    class Records;
};

} // namespace Vn
