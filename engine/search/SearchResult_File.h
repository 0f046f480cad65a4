#pragma once

#include "engine/search/SearchResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vn
{

// A file with matching lines.
class SearchResult_File : public SearchResult
{
public:
    struct Line_Info
    {
        std::string mText; // the line as read, its terminator included
        uint64_t mLine;    // counted from 1

        // "Line %llu : %s"
        std::string GetText() const;
    };

    explicit SearchResult_File(const char* name);

    void AddLine(uint64_t line, const char* text);
    // "%s (%llu)": the display name and the count.
    std::string GetText() const override;

    std::vector<Line_Info> mLines;
};

} // namespace Vn
