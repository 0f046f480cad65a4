#pragma once

#include <string>

namespace VarnikTest
{

// A chain of `depth` folders named `name` below the root, with a file "f.c" at every
// `every` levels and at the bottom, each with one line holding "x". Made one level at a
// time through descriptors, since the full paths are far too long for the system.
class FolderChain
{
public:
    FolderChain(const std::string& root, const std::string& name, int depth, int every);
    // rm walks by descriptors too, where the test tree's own removal would give up.
    ~FolderChain();

    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

    unsigned mFiles = 0;

private:
    const std::string mPath;
};

} // namespace VarnikTest
