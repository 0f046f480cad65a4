#pragma once

#include <cstdint>
#include <string>

namespace Vn
{

// A node of the tree that a search returns: a folder or a file that holds matches.
class SearchResult
{
public:
    explicit SearchResult(const char* name);
    virtual ~SearchResult();

    SearchResult(const SearchResult&) = delete;
    SearchResult& operator=(const SearchResult&) = delete;

    // Matching lines in this file, or below this folder.
    virtual uint64_t GetCount() const;
    virtual std::string GetText() const = 0;

    const char* GetName() const { return mName.c_str(); }
    // The part of the name after its last separator, or the whole name.
    const char* GetDisplayName() const;

protected:
    uint64_t mCount = 0;

private:
    const std::string mName;
};

} // namespace Vn
