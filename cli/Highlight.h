#pragma once

#include "cli/Output.h"
#include "engine/search/SearchRequest.h"

#include <string_view>

namespace VarnikCli
{

// Writes a line of a search answer; with a request, each match of its text is shown in
// bold red, as grep colours it.
void WriteHighlighted(Output& out, std::string_view line, const Vn::SearchRequest* request);

} // namespace VarnikCli
