#pragma once

#include "engine/search/PackedHits.h"
#include "engine/search/SearchResult.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace Vn
{

// A file with matching lines. Its lines grow in arrays while the file is searched, and
// are packed into one block once it is done, which the reader takes or reads.
class SearchResult_File : public SearchResult
{
public:
    using Span = SearchHits::Span;

    explicit SearchResult_File(const char* name);
    ~SearchResult_File() override;

    // `text` is the line as read, its terminator included.
    void AddLine(uint64_t line, std::string_view text);
    // A match in the line added last; spans come left to right.
    void AddSpan(size_t offset, size_t length);
    // Packs the lines added into the hits, once the file is searched.
    void Pack();

    // The lines packed; none once taken.
    SearchHits GetHits() const { return mHits.Get(); }
    // Hands the lines packed over, so that a reader may keep them while this file stays
    // in its tree with its count alone.
    PackedHits TakeHits();
    // "%s (%llu)": the display name and the count.
    std::string GetText() const override;

private:
    struct Filling;

    std::unique_ptr<Filling> mFilling; // only while lines are added
    PackedHits mHits;
};

} // namespace Vn
