#include "engine/scan/FolderParser.h"

#include "TempTree.h"
#include "engine/counters/Counter_Group.h"
#include "engine/counters/Counter_Histogram.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

namespace
{

// Lines of every kind the parsers tell apart, ends included.
const char* const LINES[] = {"int x = 1;\n",
                             "\n",
                             "   \t\n",
                             "/* open\n",
                             "still comment */ y++;\n",
                             "// note\n",
                             "#if defined(A) && B > 2\n",
                             "#ifdef FEATURE_X // why\n",
                             "#ifndef GUARD_H\n",
                             "#endif\n",
                             "s = \"a // b \\\" c\";\n",
                             "c = '\\'';\n",
                             "x = \"unterminated\n",
                             "/* one */ z;\n",
                             "rem a command comment\r\n",
                             "# a script comment\n",
                             "echo include # not a comment\n",
                             "include INCLUDE Include\r\n",
                             "\f\n",
                             "tab\tseparated\tinclude\n"};

const char* const NAMES[] = {"a.c",   "b.h",   "c.cpp",  "d.hpp", "e.txt", "f.sh",
                             "g.cmd", "h.sln", "README", "i.C",   "j.tmp"};

// A tree of a few hundred files, the same for every run.
void BuildTree(VarnikTest::TempTree& tree)
{
    std::mt19937 random(20261206);
    tree.File(".gitignore", "*.tmp\nskip/\n");
    tree.File("src/.gitignore", "# local\nb.h\n");
    for (int file = 0; file < 240; file++)
    {
        std::string path;
        for (unsigned depth = random() % 4; depth > 0; depth--)
            path += (random() % 3 == 0 ? "skip/" : "d" + std::to_string(random() % 3) + "/");
        if (file % 5 == 0)
            path = "src/" + path;
        path += std::to_string(file) + NAMES[random() % std::size(NAMES)];

        std::string content;
        for (unsigned line = random() % 60; line > 0; line--)
            content += LINES[random() % std::size(LINES)];
        if (file % 17 == 0)
            content += std::string(5000, 'w') + "include\n";
        if (file % 23 == 0)
            content += std::string("before\0after include\n", 21);
        tree.File(path, content);
    }
}

void Describe(const Vn::Counter& counter, const Vn::Counter* parent, const std::string& indent,
              std::string& out)
{
    out += indent + (parent ? counter.GetInfo_Relative(*parent) : counter.GetInfo()) + "\n";
    if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(&counter))
    {
        for (const auto& [value, occurrences] : histogram->GetValues())
            out += indent + "  " + std::to_string(value) + ":" + std::to_string(occurrences) + "\n";
    }
    if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter))
    {
        for (const auto& child : group->mCounters)
            Describe(*child, &counter, indent + "  ", out);
    }
}

// Everything a user can read of a scan: nodes in order, and every counter of each.
void Describe(const Vn::Data_Node& node, std::string& out)
{
    out += std::string("node ") + node.GetName() + "\n";
    for (const auto& counter : node.mCounters)
        Describe(*counter, nullptr, "  ", out);
    if (const auto* folder = dynamic_cast<const Vn::Data_Folder*>(&node))
    {
        for (const auto& child : folder->mNodes)
            Describe(*child, out);
    }
}

void Describe(const Vn::SearchResult& result, std::string& out)
{
    out += result.GetText() + " " + result.GetName() + "\n";
    if (const auto* folder = dynamic_cast<const Vn::SearchResult_Folder*>(&result))
    {
        for (const auto& child : folder->mResults)
            Describe(*child, out);
    }
    if (const auto* file = dynamic_cast<const Vn::SearchResult_File*>(&result))
    {
        for (const auto& line : file->mLines)
            out += "  " + line.GetText();
    }
}

std::unique_ptr<Vn::FileParser_List> StandardParsers()
{
    auto parsers = std::make_unique<Vn::FileParser_List>();
    parsers->CreateParsers();
    return parsers;
}

class FileJobs : public testing::Test
{
protected:
    FileJobs()
    {
        BuildTree(mTree);
        mThreaded.SetJobs(3, StandardParsers);
    }

    std::string Scan(Vn::FolderParser& folderParser)
    {
        std::string out;
        Describe(*folderParser.Parse(mTree.Root().c_str()), out);
        return out;
    }

    std::string Search(Vn::FolderParser& folderParser, const Vn::SearchRequest& request)
    {
        const auto root = folderParser.Search(mTree.Root().c_str(), request);
        std::string out = root ? "" : "none";
        if (root)
            Describe(*root, out);
        return out;
    }

    VarnikTest::TempTree mTree;
    std::unique_ptr<Vn::FileParser_List> mParsers = StandardParsers();
    Vn::FolderParser mPlain{mParsers.get()};
    Vn::FolderParser mThreaded{mParsers.get()};
};

TEST_F(FileJobs, ThreadedScanEqualsThePlainOne)
{
    const std::string plain = Scan(mPlain);
    EXPECT_GT(plain.size(), 10000u);
    EXPECT_EQ(Scan(mThreaded), plain);
    EXPECT_EQ(Scan(mThreaded), plain) << "a second pass on the same object";
}

TEST_F(FileJobs, ThreadedSearchEqualsThePlainOne)
{
    for (const char* text : {"include", "INCLUDE", "//", "\"", "x", "nowhere at all", ""})
    {
        for (int variant = 0; variant < 4; variant++)
        {
            Vn::SearchRequest request;
            request.SetText(text);
            request.mFlags.CaseSensitive = variant % 2 == 0;
            request.mFlags.InCode = variant < 2;
            request.mFlags.InString = variant < 2;
            if (variant == 3)
                request.mFileTypes = {"c", "txt", "sh"};
            EXPECT_EQ(Search(mThreaded, request), Search(mPlain, request))
                << "text '" << text << "', variant " << variant;
        }
    }
}

// Throws on the files of type "bad", as a parser that runs out of memory would.
class FailingParser : public Vn::FileParser
{
public:
    FailingParser() : Vn::FileParser("bad") {}
    std::unique_ptr<Vn::Data_Node> Parse(const char*) override
    {
        throw std::runtime_error("parser failed");
    }
};

TEST_F(FileJobs, AWorkerFailureEndsThePassAndTheNextPassIsClean)
{
    Vn::FileParser_List parsers;
    parsers.CreateParsers();
    Vn::FolderParser folderParser(&parsers);
    folderParser.SetJobs(2,
                         []
                         {
                             auto parsers = StandardParsers();
                             parsers->AddParser("bad", std::make_unique<FailingParser>());
                             return parsers;
                         });
    mTree.File("d1/x.bad", "boom\n");
    EXPECT_THROW(folderParser.Parse(mTree.Root().c_str()), std::runtime_error);

    std::remove(mTree.Path("d1/x.bad").c_str());
    EXPECT_EQ(Scan(folderParser), Scan(mPlain));
}

} // namespace
