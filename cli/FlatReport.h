#pragma once

#include "cli/Highlight.h"
#include "cli/Output.h"
#include "engine/search/SearchHits.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace VarnikCli
{

// Search answers as other tools read them, one line each, files in walk order, each
// written as soon as the search hands it over.
namespace FlatReport
{

enum class Form
{
    Lines,  // "path:line:text" for every matching line, as grep prints them
    Files,  // "path" for every file with a match
    Counts, // "path:count" for every file with a match
};

struct Options
{
    Form mForm = Form::Lines;
    // The spans of the matches are coloured.
    bool mHighlight = false;
    // A NUL ends each path, in place of the ':' or the line feed after it, as grep -Z
    // writes it, so that names holding line feeds survive a pipe.
    bool mNull = false;
    // Lines shown before and after each matching line, as grep -B and -A show them.
    unsigned mBefore = 0;
    unsigned mAfter = 0;
};

// Writes the files of an answer one after the other, as they come.
class Writer
{
public:
    Writer(Output& out, const Options& options) : mOut(out), mOptions(options) {}

    // The file at `path` and its lines.
    void WriteFile(const std::string& path, Vn::SearchHits hits);

private:
    // The path and the separator after it, or a NUL.
    void WritePath(const std::string& path, char separator);
    // A line around a match is written without spans.
    void WriteLine(const std::string& path, uint64_t number, std::string_view text, bool match,
                   Spans spans);
    // The spans of the file's line at `index` to colour.
    Spans SpansOf(Vn::SearchHits hits, size_t index) const;
    // Reads the file at `path` again for the lines around the matches; false when it
    // cannot.
    bool WriteWithContext(const std::string& path, Vn::SearchHits hits);

    Output& mOut;
    const Options mOptions;
    bool mGroupWritten = false; // a group of lines with context, which the next one follows
};

} // namespace FlatReport
} // namespace VarnikCli
