// The language table against its lint, the hand-checked samples and the detection rules.

#include "engine/languages/LanguageLexer.h"
#include "engine/languages/LanguageLint.h"
#include "engine/languages/LanguageTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{

using Vn::LanguageLexer;
using Vn::LanguageTable;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();)
    {
        const size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
        lines.push_back(text.substr(at, end - at));
        at = end;
    }
    return lines;
}

// "b", "c" or "m", as the expectations write blank, code and comment.
char Letter(LanguageLexer::LineClass lineClass)
{
    return "bcm"[static_cast<int>(lineClass)];
}

TEST(LanguageTable, BuiltInTableIsLargeAndPassesTheLint)
{
    const auto table = LanguageTable::BuiltIn();
    EXPECT_GE(table->GetLanguages().size(), 200u);
    for (const std::string& fault : Vn::LintLanguages(*table))
        ADD_FAILURE() << fault;
}

// The class of each line of the file at `path` must be the one its ".lines" file gives.
void ExpectClasses(const Vn::Language& language, const std::string& path)
{
    const std::vector<std::string> lines = Lines(ReadFile(path));
    const std::vector<std::string> expected = Lines(ReadFile(path + ".lines"));
    ASSERT_EQ(lines.size(), expected.size()) << path;
    LanguageLexer lexer;
    lexer.Begin(language, false);
    for (size_t i = 0; i < lines.size(); i++)
    {
        lexer.Feed(lines[i].data(), lines[i].data() + lines[i].size(), true);
        EXPECT_EQ(Letter(lexer.GetClass()), expected[i][0])
            << path << ":" << i + 1 << ": " << lines[i] << "  (" << expected[i] << ")";
    }
    EXPECT_FALSE(lexer.End()) << path;
}

// Each sample's expected classes were written from the language's reference, beside it; a
// row is verified once its sample lexes exactly so. The cases are the constructs line
// counters are known to get wrong, in files of their own.
TEST(LanguageTable, SamplesAndCasesLexAsTheirExpectationsSay)
{
    const auto table = LanguageTable::BuiltIn();
    const std::string source = VARNIK_SOURCE_DIR;
    for (const auto& language : table->GetLanguages())
    {
        if (language->mStatus == Vn::Language::Status::VERIFIED)
            ExpectClasses(*language, source + "/" + language->mSample);
    }
    for (const auto& entry : std::filesystem::directory_iterator(source + "/tests/languages/cases"))
    {
        const std::string path = entry.path().string();
        if (path.ends_with(".lines") || entry.path().filename().string().starts_with("."))
            continue;
        bool binary = false;
        const Vn::Language* language = table->Detect(path, ReadFile(path), binary);
        ASSERT_NE(language, nullptr) << path;
        ExpectClasses(*language, path);
    }
}

struct Detection
{
    const char* mPath;
    std::string_view mHead;
    const char* mExpected; // a language id, "Binary" or "Unknown"
};

// Thousands of lines, so that the last five stand far past the first bytes.
std::string LinesThen(std::string_view last)
{
    std::string text;
    for (int line = 0; line < 3000; line++)
        text += "line\n";
    return text.append(last);
}
const std::string LONG_MODE_LAST = LinesThen("# vim: set ft=python:\n");
const std::string LONG_MODE_SIXTH_LAST = LinesThen("# vim: set ft=python:\n1\n2\n3\n4\n5\n");
const std::string LONG_MODE_UNENDED = LinesThen("# -*- mode: ruby -*-");

const Detection DETECTIONS[] = {
    {"src/Makefile", "", "makefile"},
    {"CMakeLists.txt", "", "cmake"},
    {"go.work.sum", "", "go-sum"},
    {"x/.bashrc", "", "sh"},
    {"types.d.ts", "", "typescript"},
    {"main.C", "", "cpp"},
    {"util.h", "int f(void);\n", "c"},
    {"util.h", "namespace x {}\n", "cpp"},
    {"util.h", "#include <string>\nstd::string f();\n", "cpp"},
    {"util.h", "@interface Foo : NSObject\n", "objc"},
    {"run", "#!/usr/bin/env python3.12\nprint()\n", "python"},
    {"run", "#!/usr/bin/env -S bash -e\n", "sh"},
    {"header", "// -*- mode: c++; tab-width: 4 -*-\n", "cpp"},
    // A mode line counts in the first or the last five lines, and nowhere between.
    {"header", "1\n2\n3\n4\n// -*- c++ -*-\n6\n7\n8\n9\n10\n11\n", "cpp"},
    {"build", "1\n2\n3\n4\n5\n# vim: ft=python\n7\n8\n9\n10\n11\n", "Unknown"},
    {"build", "1\n2\n3\n4\n5\n6\n# vim: ft=python\n8\n9\n10\n11\n", "python"},
    {"build", LONG_MODE_LAST, "python"},
    {"build", LONG_MODE_SIXTH_LAST, "Unknown"},
    {"build", LONG_MODE_UNENDED, "ruby"},
    {"config", "<?xml version=\"1.0\"?>\n<a/>\n", "xml"},
    // A template takes the language of the name before its suffix, and only when the whole
    // name gives none; a template of a file of no known name is read like any other.
    {"config.yml.tt", "", "yaml"},
    {"config.h.in", "namespace x {}\n", "cpp"},
    {"Gemfile.tt", "", "ruby"},
    {"phpunit.xml.dist", "", "xml"},
    {"page.html.TMPL", "", "html"},
    {"newgem.tt", "#!/usr/bin/env ruby\n", "ruby"},
    {"huffman-text.in", "Lorem ipsum\n", "Unknown"},
    {"notes.in.txt", "", "text"},
    {"x.yml.bak", "", "Unknown"},
    // A test's expected output is text, unless it is Go source.
    {"comments.golden", "// Copyright\n\npackage main\n", "go"},
    {"a.golden", "PACKAGE a\n\nIMPORTPATH\n\ttestdata/a\n", "text"},
    {"x.input", "", "text"},
    {"huffman.golden", {"\x8c\0\x01", 3}, "Binary"},
    {"a.dat", {"ab\0cd", 5}, "Binary"},
};

TEST(LanguageTable, DetectsByNameExtensionInterpreterModeLineAndFirstBytes)
{
    const auto table = LanguageTable::BuiltIn();
    for (const Detection& row : DETECTIONS)
    {
        bool binary = false;
        LanguageTable::Reason reason;
        const Vn::Language* language = table->Detect(row.mPath, row.mHead, binary, &reason);
        const std::string got = language != nullptr ? language->mId : binary ? "Binary" : "Unknown";
        EXPECT_EQ(got, row.mExpected) << row.mPath << " " << reason.mRule;
    }
}

// A path and first bytes, and the label expected from the built-in rules ("" for none).
const Detection LABELLINGS[] = {
    {"vendor/x.c", "", "vendored"},
    {"a/node_modules/b/index.js", "", "vendored"},
    {"src/vendors/x.c", "", ""},
    {"api.pb.go", "package api\n", "generated"},
    {"x_pb2.py", "", "generated"},
    {"moc_window.cpp", "", "generated"},
    {"x.go", "// Code generated by stringer; DO NOT EDIT.\n", "generated"},
    {"x.cs", "// <auto-generated>\n", "generated"},
    {"x.c", "/* do not edit: the words must match with case */\n", ""},
    {"lib.min.js", "", "minified"},
    {"lib.min.jsx", "", ""},
    {"Cargo.lock", "", "lock"},
    {"go.sum", "", "lock"},
    {"vendor/api.pb.go", "", "vendored"}, // the folder decides before the name
};

TEST(LanguageTable, LabelsByFolderNameAndMarkerInTheFirstKiB)
{
    const Vn::FileLabels& labels = LanguageTable::BuiltIn()->GetLabels();
    for (const Detection& row : LABELLINGS)
    {
        std::string reason;
        Vn::LabelFinding finding({}, &reason);
        const std::string_view path = row.mPath;
        labels.ByFolders(path, finding);
        labels.ByName(path.substr(path.rfind('/') + 1), finding);
        labels.ByHead(row.mHead, finding);
        EXPECT_STREQ(Vn::FileLabels::Id(finding.mFirst), row.mExpected) << row.mPath << reason;
    }
    Vn::LabelFinding late({});
    labels.ByHead(std::string(Vn::FileLabels::MARKER_BYTES, ' ') + "DO NOT EDIT", late);
    EXPECT_EQ(late.mFirst, Vn::Label::NONE) << "a marker counts in the first KiB only";
}

TEST(LanguageTable, UserFilesMapAndReplaceRowsAndNameTheirFaults)
{
    LanguageTable table;
    table.Load("h = text\n[text]\nname = Notes\nkind = prose\next = notes\ncite = none\n", "user");
    table.Load("[text]\nname = Text2\nkind = prose\next = txt2\ncite = none\n", "user2");
    table.Finish();
    bool binary = false;
    EXPECT_EQ(table.Detect("a.h", "", binary)->mName, "Text2");
    EXPECT_EQ(table.Detect("a.txt2", "", binary)->mName, "Text2");
    EXPECT_EQ(table.Detect("a.notes", "", binary), nullptr);

    const std::pair<const char*, const char*> faults[] = {
        {"[c]\nname = C\nline = // cont\nkind = words\n", "f:4: unknown kind \"words\""},
        {"[c]\nname = C\nstring = \" \"\n", "f:3: \"string\" must state esc="},
        {"[c]\nname = C\n[c]\nname = D\n", "f:3: [c] is already defined in this file"},
        {"[c]\nname = C\nblock = %2 x\n", "f:3: a bad %XX escape in \"%2\""},
        {"[c]\nname = C\nstring = ' ' esc=none close-at=file-start\n",
         "f:3: close-at is line-start or column-1"},
        {"[c]\nname = C\nquote = q esc=\\ parts=3\n", "f:3: parts is 1 or 2"},
        {"[c]\nname = C\nquote = // esc=\\ bare\n",
         "f:3: a bare quote opens with its delimiter, one byte"},
        {"[c]\nname = C\nquote = q esc=\\ pairs=()[\n",
         "f:3: pairs= lists an open and a close for each pair"},
        {"[label:made]\n", "f:1: unknown label \"made\" (known: generated, vendored, minified, "
                           "lock, documentation)"},
        {"[label:minified]\nlongline = 0 ext=js\n", "f:2: expected a positive number, not \"0\""},
    };
    for (const auto& [text, message] : faults)
    {
        LanguageTable bad;
        try
        {
            bad.Load(text, "f");
            ADD_FAILURE() << "accepted: " << text;
        }
        catch (const LanguageTable::Error& error)
        {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

} // namespace
