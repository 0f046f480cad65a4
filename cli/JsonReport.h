#pragma once

#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"

#include <nlohmann/json.hpp>

namespace VarnikCli
{

// The JSON output of the two commands. Keys keep the order in which they are written,
// and every name and line text is made valid UTF-8.
namespace JsonReport
{

// {"root": NODE}: every node with its counters, folders with their children.
nlohmann::ordered_json Scan(const Vn::Data_Folder& root);

// {"root": RESULT}, or {"root": null} when nothing matched.
nlohmann::ordered_json Search(const Vn::SearchResult_Folder* root);

} // namespace JsonReport
} // namespace VarnikCli
