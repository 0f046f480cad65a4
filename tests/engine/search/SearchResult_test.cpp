#include "engine/search/SearchResult_File.h"
#include "engine/search/SearchResult_Folder.h"

#include <gtest/gtest.h>

using Vn::SearchResult_File;
using Vn::SearchResult_Folder;

namespace
{

std::unique_ptr<SearchResult_File> FileWithLines(const char* name, unsigned lines)
{
    auto file = std::make_unique<SearchResult_File>(name);
    for (unsigned line = 1; line <= lines; line++)
        file->AddLine(line * 7, "int x = 1;\n");
    return file;
}

TEST(SearchResult, CountsAddUpTheTree)
{
    auto core = std::make_unique<SearchResult_Folder>("src/core");
    core->AddResult(FileWithLines("/r/src/core/a.cpp", 2));
    auto src = std::make_unique<SearchResult_Folder>("src");
    src->AddResult(std::move(core));
    src->AddResult(FileWithLines("/r/src/b.h", 1));
    SearchResult_Folder root("/home/me/r");
    root.AddResult(std::move(src));

    EXPECT_EQ(root.GetCount(), 3u);
    EXPECT_EQ(root.GetText(), "r/ (3)");
    EXPECT_EQ(root.mResults[0]->GetText(), "src/ (3)");
    const auto& srcFolder = dynamic_cast<const SearchResult_Folder&>(*root.mResults[0]);
    EXPECT_EQ(srcFolder.mResults[0]->GetText(), "core/ (2)");
    EXPECT_EQ(srcFolder.mResults[1]->GetText(), "b.h (1)");
}

TEST(SearchResult, FileTextsAndLines)
{
    const auto file = FileWithLines("/r/a.cpp", 2);
    EXPECT_STREQ(file->GetName(), "/r/a.cpp");
    EXPECT_EQ(file->GetText(), "a.cpp (2)");
    ASSERT_EQ(file->mLines.size(), 2u);
    EXPECT_EQ(file->mLines[0].GetText(), "Line 7 : int x = 1;\n");
    EXPECT_EQ(file->mLines[1].mLine, 14u);
}

TEST(SearchResult, LongLinesAreKeptWhole)
{
    const std::string text(4095, 'x');
    SearchResult_File file("/r/a.txt");
    file.AddLine(1, text.c_str());
    EXPECT_EQ(file.mLines[0].GetText(), "Line 1 : " + text);
}

} // namespace
