#pragma once

#include "cli/Output.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_Folder.h"

namespace VarnikCli
{

// Search answers as other tools read them, one line each, files in walk order.
namespace FlatReport
{

enum class Form
{
    Lines,  // "path:line:text" for every matching line, as grep prints them
    Files,  // "path" for every file with a match
    Counts, // "path:count" for every file with a match
};

// With `highlight`, the matches of its text are coloured.
void Write(Output& out, const Vn::SearchResult_Folder& root, Form form,
           const Vn::SearchRequest* highlight);

} // namespace FlatReport
} // namespace VarnikCli
