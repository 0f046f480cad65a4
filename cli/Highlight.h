#pragma once

#include "cli/Output.h"
#include "engine/search/SearchHits.h"

#include <span>
#include <string_view>

namespace VarnikCli
{

using Spans = std::span<const Vn::SearchHits::Span>;

// Writes a line of a search answer with each span of a match in bold red, as grep colours
// it. Spans past the end of the line, as over its line feed, are cut there.
void WriteHighlighted(Output& out, std::string_view line, Spans spans);

} // namespace VarnikCli
