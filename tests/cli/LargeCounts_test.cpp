// Counts past 32 bits, as a tree of many large files reaches them, through every form
// of varnik-cli that carries counts: a scan read back from JSON, written again, shown as
// a table and compared.

#include "TempTree.h"
#include "cli/JsonReport.h"
#include "cli/ScanDiff.h"
#include "cli/ScanReader.h"
#include "cli/TableReport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{

// A scan of one folder holding one file, its counts `lines` and `code`.
std::string ScanJson(const std::string& lines, const std::string& code)
{
    const std::string counters =
        R"([{"type":"Count","name":"File","count":1,"counters":[{"type":"Count","name":"c",)"
        R"("count":1,"counters":[]}]},{"type":"Count","name":"Line","count":)" +
        lines + R"(,"counters":[{"type":"Count","name":"Code","count":)" + code +
        R"(,"counters":[]}]}])";
    return R"({"header":{"version":"1.0","kind":"scan","root":"/r","mode":"classic","options":[]},)"
           R"("root":{"name":"r","kind":"folder","counters":)" +
           counters + R"(,"nodes":[{"name":"r/a.c","kind":"file","counters":)" + counters +
           "}]}}\n";
}

std::unique_ptr<Vn::Data_Folder> Read(VarnikTest::TempTree& tree, const std::string& json)
{
    tree.File("scan.json", json);
    return VarnikCli::ReadScanFile(tree.Path("scan.json")).mRoot;
}

} // namespace

TEST(LargeCounts, PassThirtyTwoBitsInJsonTablesAndDiffs)
{
    VarnikTest::TempTree tree;
    const std::string json = ScanJson("6000000000", "4294967296");
    const auto old = Read(tree, json);
    std::ostringstream written;
    VarnikCli::JsonReport::WriteScan(written, *old, {"1.0", "scan", "/r", "classic", {}});
    EXPECT_EQ(written.str(), json);

    std::ostringstream table;
    VarnikCli::Output tableOut(table, false);
    VarnikCli::TableReport::Build(*old, "types", 0).Write(tableOut, VarnikCli::Table::Format::Csv);
    EXPECT_EQ(table.str(), "type,files,lines,blank,code,comment,directive,errors\n"
                           "c,1,6000000000,0,4294967296,0,0,0\n");

    const auto now = Read(tree, ScanJson("1", "8589934592"));
    VarnikCli::ScanDiff diff(*old, true, VarnikCli::ScanDiff::By::Folder);
    VarnikCli::VisitTree(*now, diff);
    std::ostringstream text;
    VarnikCli::Output textOut(text, false);
    diff.WriteText(textOut);
    EXPECT_EQ(text.str(), ".\n  Line 6000000000 -> 1 (-5999999999)\n"
                          "  Line/Code 4294967296 -> 8589934592 (+4294967296)\n");
    std::ostringstream diffJson;
    VarnikCli::Output jsonOut(diffJson, false);
    diff.WriteJson(jsonOut);
    EXPECT_NE(diffJson.str().find(R"("old":6000000000,"new":1,"difference":-5999999999)"),
              std::string::npos)
        << diffJson.str();
}
