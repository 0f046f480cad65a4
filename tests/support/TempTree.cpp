#include "TempTree.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace VarnikTest
{

TempTree::TempTree()
{
    std::string pattern = (fs::temp_directory_path() / "varnik-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    mRoot = pattern;
}

TempTree::~TempTree()
{
    // Give back every permission a test took away, so that everything can be removed.
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(mRoot, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
    {
        if (it->is_directory(error) && !it->is_symlink(error))
            chmod(it->path().c_str(), 0700);
    }
    chmod(mRoot.c_str(), 0700);
    fs::remove_all(mRoot, error);
}

std::string TempTree::Path(std::string_view relative) const
{
    return mRoot + "/" + std::string(relative);
}

void TempTree::MakeParents(std::string_view relative)
{
    fs::create_directories(fs::path(Path(relative)).parent_path());
}

TempTree& TempTree::File(std::string_view relative, std::string_view content)
{
    MakeParents(relative);
    std::ofstream out(Path(relative), std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + Path(relative));
    return *this;
}

TempTree& TempTree::Folder(std::string_view relative)
{
    fs::create_directories(Path(relative));
    return *this;
}

TempTree& TempTree::Link(std::string_view relative, std::string_view target)
{
    MakeParents(relative);
    fs::create_symlink(std::string(target), Path(relative));
    return *this;
}

TempTree& TempTree::Fifo(std::string_view relative)
{
    MakeParents(relative);
    if (mkfifo(Path(relative).c_str(), 0600) != 0)
        throw std::runtime_error("mkfifo failed");
    return *this;
}

TempTree& TempTree::Mode(std::string_view relative, mode_t mode)
{
    if (chmod(Path(relative).c_str(), mode) != 0)
        throw std::runtime_error("chmod failed");
    return *this;
}

bool IgnoresPermissions()
{
    return geteuid() == 0;
}

} // namespace VarnikTest
