#include "bench/SourceTree.h"

#include "engine/parsers/FileParser.h"
#include "lib/Format.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace VarnikBench
{

namespace
{

constexpr int FILES_PER_FOLDER = 100;

// Between 2 and 61 functions, spread evenly over the modules: about 13 KiB a file on
// average, a few hundred bytes the shortest.
int FunctionsOf(int module)
{
    return 2 + (module * 7919) % 60;
}

class TemporaryTree
{
public:
    TemporaryTree()
    {
        std::string pattern = (fs::temp_directory_path() / "varnik-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        mRoot = pattern;
        SourceTree::Write(mRoot, 8 << 20);
    }
    ~TemporaryTree() { fs::remove_all(mRoot); }

    std::string mRoot;
};

} // namespace

std::string SourceTree::Module(int module, int functions)
{
    std::string text = TrovLib::Format("/*\n * Module %d of the generated tree.\n *\n"
                                       " * It holds a few functions and their comments.\n */\n\n"
                                       "#include <stdio.h>\n#include \"module_%d.h\"\n\n"
                                       "#ifndef MODULE_%d_H\n#define MODULE_%d_H 1\n#endif\n\n",
                                       module, module, module, module);
    for (int function = 0; function < functions; function++)
    {
        text += TrovLib::Format(
            "// Adds up the values of table %d, the way /* this */ one does.\n"
            "static int sum_%d_%d(const int* values, int count)\n{\n"
            "    int total = 0; /* running total */\n"
            "    for (int i = 0; i < count; i++)\n"
            "        total += values[i];\n\n"
            "#if defined(TRACE) && TRACE_LEVEL > %d\n"
            "    printf(\"sum %%d: \\\"%%d\\\"\\n\", %d, total); // shows the total\n"
            "#endif\n"
            "    return total > 0 ? total : '\\0';\n}\n\n",
            function, module, function, function % 4, function);
    }
    return text;
}

size_t SourceTree::Write(const std::string& root, uint64_t bytes)
{
    uint64_t written = 0;
    int module = 0;
    for (; written < bytes; module++)
        written += WriteModule(root, module, FunctionsOf(module));
    return static_cast<size_t>(module);
}

void SourceTree::WriteShort(const std::string& root, size_t files)
{
    for (size_t module = 0; module < files; module++)
        WriteModule(root, static_cast<int>(module), 2 + static_cast<int>(module % 2));
}

void SourceTree::WriteChain(const std::string& root, int depth)
{
    fs::create_directories(root);
    int folder = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level <= depth && folder >= 0; level++)
    {
        if (level % 1000 == 0 || level == depth)
        {
            const std::string text = Module(level, 2);
            const int file = openat(folder, "module.c", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (file < 0 ||
                write(file, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
                throw std::runtime_error("cannot write into the chain of folders");
            close(file);
        }
        if (level < depth && mkdirat(folder, "d", 0755) != 0 && errno != EEXIST)
            throw std::runtime_error("cannot make a folder of the chain");
        const int below = level < depth ? openat(folder, "d", O_RDONLY | O_DIRECTORY) : -1;
        close(folder);
        folder = below;
    }
}

size_t SourceTree::WriteModule(const std::string& root, int module, int functions)
{
    const fs::path folder = fs::path(root) / TrovLib::Format("part%03d", module / FILES_PER_FOLDER);
    if (module % FILES_PER_FOLDER == 0)
        fs::create_directories(folder);
    const char* extension = module % 4 == 0 ? "h" : "c";
    const std::string text = Module(module, functions);
    std::ofstream file(folder / TrovLib::Format("module_%d.%s", module, extension));
    if (!(file << text))
        throw std::runtime_error("cannot write into " + folder.string());
    return text.size();
}

const std::string& SourceTree::Shared()
{
    static const TemporaryTree tree;
    return tree.mRoot;
}

std::vector<std::string> SourceTree::ParsedFiles(const std::string& root,
                                                 const Vn::FileParser_List& parsers, int64_t& bytes)
{
    std::vector<std::string> files;
    bytes = 0;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
    {
        const std::string path = it->path().string();
        const Vn::FileParser* parser = parsers.GetParser(path.c_str());
        if (it->is_regular_file(error) && parser != nullptr && parser->CanSearch())
        {
            files.push_back(path);
            bytes += static_cast<int64_t>(it->file_size(error));
        }
    }
    return files;
}

} // namespace VarnikBench
