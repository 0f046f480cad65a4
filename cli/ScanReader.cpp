#include "cli/ScanReader.h"

#include "cli/Utf8.h"
#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/counters/Counter_Names.h"
#include "engine/tree/TreeWalk.h"
#include "lib/Format.h"
#include "lib/Path.h"

#include <rapidjson/error/en.h>
#include <rapidjson/filereadstream.h>
#include <rapidjson/reader.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <sys/stat.h>
#include <unordered_set>
#include <vector>

// The reader is a state machine driven by rapidjson's events, which arrive without
// recursion (kParseIterativeFlag). A stack of frames, one per open object or array, says
// where the next value goes: each key of an object selects a slot, each array names the
// slot of its items. Nodes and counters are built as their keys arrive, which is why a
// node's name and kind, and a counter's type and name, must precede what they hold, as
// they do in what Varnik writes.

namespace VarnikCli
{
namespace
{

constexpr unsigned FLAGS = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;

enum class Place
{
    Document,
    Header,
    Options,
    Node,
    Nodes,
    Counter,
    Counters,
    Values,
    Pair,
};

// What the next value fills.
enum class Slot
{
    None,
    Header,
    Root,
    Version,
    ScanKind,
    RootName,
    RootHex,
    Mode,
    Options,
    Option,
    Name,
    NameHex,
    Kind,
    Counters,
    Nodes,
    Node,
    Counter,
    Type,
    Count,
    UnitX,
    UnitY,
    Values,
    Pair,
    PairNumber,
};

struct KeyRule
{
    Place mPlace;
    const char* mKey;
    Slot mSlot;
};

constexpr KeyRule KEYS[] = {
    {Place::Document, "header", Slot::Header}, {Place::Document, "root", Slot::Root},
    {Place::Header, "version", Slot::Version}, {Place::Header, "kind", Slot::ScanKind},
    {Place::Header, "root", Slot::RootName},   {Place::Header, "rootHex", Slot::RootHex},
    {Place::Header, "mode", Slot::Mode},       {Place::Header, "options", Slot::Options},
    {Place::Node, "name", Slot::Name},         {Place::Node, "nameHex", Slot::NameHex},
    {Place::Node, "kind", Slot::Kind},         {Place::Node, "counters", Slot::Counters},
    {Place::Node, "nodes", Slot::Nodes},       {Place::Counter, "type", Slot::Type},
    {Place::Counter, "name", Slot::Name},      {Place::Counter, "nameHex", Slot::NameHex},
    {Place::Counter, "count", Slot::Count},    {Place::Counter, "counters", Slot::Counters},
    {Place::Counter, "unitX", Slot::UnitX},    {Place::Counter, "unitY", Slot::UnitY},
    {Place::Counter, "values", Slot::Values},
};

bool IsArray(Place place)
{
    return place == Place::Options || place == Place::Nodes || place == Place::Counters ||
           place == Place::Values || place == Place::Pair;
}

struct Frame
{
    Place mPlace;
    const char* mKey = nullptr; // objects: the key being read
    size_t mItems = 0;          // arrays: the items begun
};

// A name as written: the readable text, and the exact bytes when they were given apart.
struct NameDraft
{
    std::string mText;
    std::string mHex;
    bool mHasText = false;
    bool mHasHex = false;
};

struct NodeDraft
{
    NameDraft mName;
    std::string mKind;
    std::unique_ptr<Vn::Data_Node> mNode;            // made once its name and kind are known
    std::unique_ptr<Vn::Counter_List> mFileCounters; // a file's, which its node takes whole
    bool mHasCounters = false;
};

struct CounterDraft
{
    std::string mType;
    NameDraft mName;
    std::optional<uint64_t> mCount;
    std::string mUnitX;
    std::string mUnitY;
    std::unique_ptr<Vn::Counter> mCounter;
};

// A folder whose children are being read.
struct OpenFolder
{
    Vn::Data_Folder* mFolder;
    std::string mPath; // below the root: "" for the root, else the folder's name
    std::unordered_set<std::string> mChildren;
};

class Failure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The exact bytes of a name: those in hex when given, else the text.
std::string Bytes(const NameDraft& name)
{
    if (!name.mHasText)
        throw Failure("\"name\" missing");
    if (!name.mHasHex)
        return name.mText;
    if (name.mHex.size() % 2 != 0)
        throw Failure("hex of odd length");
    std::string bytes;
    for (size_t i = 0; i < name.mHex.size(); i += 2)
    {
        const int high = HexDigit(name.mHex[i]);
        const int low = HexDigit(name.mHex[i + 1]);
        if (high < 0 || low < 0)
            throw Failure("hex holds more than the digits 0-9 and a-f");
        bytes += static_cast<char>(high * 16 + low);
    }
    if (std::memchr(bytes.data(), '\0', bytes.size()) != nullptr)
        throw Failure("a name holds a NUL byte");
    if (ToValidUtf8(bytes) != name.mText)
        throw Failure("the name and its hex disagree");
    return bytes;
}

class Parser
{
public:
    Parser(ScanVisitor& visitor, bool keep) : mVisitor(visitor), mKeep(keep) {}

    std::string Where() const;
    const std::string& Problem() const { return mProblem; }
    bool Stopped() const { return mStopped; }
    std::unique_ptr<Vn::Data_Folder> TakeRoot() { return std::move(mRoot); }

    // rapidjson's handler concept: false ends the reading with Problem().
    bool Null() { return Refuse("null"); }
    bool Bool(bool value) { return Refuse(value ? "true" : "false"); }
    bool Int(int value) { return Refuse(std::to_string(value)); }
    bool Int64(int64_t value) { return Refuse(std::to_string(value)); }
    bool Uint(unsigned value) { return Uint64(value); }
    bool Uint64(uint64_t value)
    {
        return Guard([&] { Number(value); });
    }
    bool Double(double value)
    {
        char text[32];
        return Refuse(std::string(text, std::to_chars(text, text + sizeof text, value).ptr));
    }
    bool RawNumber(const char*, rapidjson::SizeType, bool) { return Refuse("a number"); }
    bool String(const char* text, rapidjson::SizeType length, bool)
    {
        return IsUnicode(std::string_view(text, length)) &&
               Guard([&] { Text(std::string_view(text, length)); });
    }
    bool StartObject()
    {
        return Guard([&] { Open(true); });
    }
    bool Key(const char* key, rapidjson::SizeType length, bool)
    {
        return IsUnicode(std::string_view(key, length)) &&
               Guard([&] { SelectKey(std::string_view(key, length)); });
    }
    bool EndObject(rapidjson::SizeType)
    {
        return Guard([&] { CloseObject(); });
    }
    bool StartArray()
    {
        return Guard([&] { Open(false); });
    }
    bool EndArray(rapidjson::SizeType)
    {
        return Guard([&] { CloseArray(); });
    }

private:
    template <class Step> bool Guard(Step step)
    {
        try
        {
            step();
            return !mStopped;
        }
        catch (const Failure& failure)
        {
            mProblem = failure.what();
            return false;
        }
    }
    // The parser lets an escaped lone surrogate ("\udc00") through as bytes outside
    // UTF-8; JSON text is Unicode, so such a string is refused like any malformed one.
    bool IsUnicode(std::string_view text)
    {
        if (IsValidUtf8(text))
            return true;
        mProblem = "a string that is not valid Unicode (a lone surrogate escape)";
        return false;
    }
    bool Refuse(const std::string& found)
    {
        mProblem = "expected " + Expected() + ", found " + found;
        return false;
    }

    std::string Expected() const;
    Slot NextSlot() const;
    void Number(uint64_t value);
    void Text(std::string_view text);
    void Open(bool object);
    void SelectKey(std::string_view key);
    void CloseObject();
    void CloseArray();
    void SetHeaderText(Slot slot, std::string_view text);
    void SetName(NameDraft& name, Slot slot, std::string_view text);
    void MakeNode();
    void CheckNodeName(const std::string& name, bool isFolder);
    void EnterNode(bool isFolder);
    Vn::Counter_List* CountersOf(NodeDraft& draft);
    void MakeCounter();
    void EndCounter();
    void EndHeader();

    ScanVisitor& mVisitor;
    const bool mKeep; // builds the tree instead of releasing each node after its visit
    std::vector<Frame> mFrames;
    Slot mSlot = Slot::None; // for the value that follows a key
    ScanHeader mHeader;
    bool mRootSeen = false;
    NodeDraft mNode; // nodes are read one at a time: a folder is entered before its children
    std::vector<OpenFolder> mFolders;
    std::string mFilePrefix; // the root's name and a separator, which every file name begins with
    std::vector<CounterDraft> mCounters;
    std::vector<Vn::Counter_List*> mLists; // where the counters being read go
    uint64_t mPair[2] = {};
    std::unique_ptr<Vn::Data_Folder> mRoot;
    bool mStopped = false;
    bool mFileAsRoot = false; // the node named last is the one file of a scan of a file
    std::string mProblem;
};

// "root.nodes[2].counters[0].count"
std::string Parser::Where() const
{
    std::string where;
    for (const Frame& frame : mFrames)
    {
        if (frame.mPlace == Place::Document || frame.mPlace == Place::Header ||
            frame.mPlace == Place::Node || frame.mPlace == Place::Counter)
        {
            if (frame.mKey != nullptr)
                where += (where.empty() ? "" : ".") + std::string(frame.mKey);
        }
        else if (frame.mItems != 0)
        {
            where += "[" + std::to_string(frame.mItems - 1) + "]";
        }
    }
    return !where.empty() ? where : mRootSeen ? "the end" : "the start";
}

std::string Parser::Expected() const
{
    switch (NextSlot())
    {
    case Slot::Count:
    case Slot::PairNumber:
        return "a whole number from 0 to 18446744073709551615";
    case Slot::Header:
    case Slot::Root:
    case Slot::Node:
    case Slot::Counter:
        return "an object";
    case Slot::Options:
    case Slot::Counters:
    case Slot::Nodes:
    case Slot::Values:
    case Slot::Pair:
        return "an array";
    case Slot::None:
        return "an object";
    default:
        return "a string";
    }
}

// The slot of a value: the key's in an object, the items' in an array.
Slot Parser::NextSlot() const
{
    if (mFrames.empty())
        return Slot::None;
    const Frame& frame = mFrames.back();
    switch (frame.mPlace)
    {
    case Place::Options:
        return Slot::Option;
    case Place::Nodes:
        return Slot::Node;
    case Place::Counters:
        return Slot::Counter;
    case Place::Values:
        return Slot::Pair;
    case Place::Pair:
        return Slot::PairNumber;
    default:
        return mSlot;
    }
}

void Parser::Number(uint64_t value)
{
    const Slot slot = NextSlot();
    if (!mFrames.empty() && mFrames.back().mPlace == Place::Pair)
    {
        Frame& pair = mFrames.back();
        if (pair.mItems == 2)
            throw Failure("a value of a histogram is a pair");
        mPair[pair.mItems++] = value;
        return;
    }
    if (slot != Slot::Count || mFrames.back().mPlace != Place::Counter)
        throw Failure("expected " + Expected() + ", found " + std::to_string(value));
    CounterDraft& counter = mCounters.back();
    if (counter.mType != Vn::Counter_Count::TYPE)
        throw Failure("a " + counter.mType + " counter has no count");
    counter.mCount = value;
}

void Parser::Text(std::string_view text)
{
    const Slot slot = NextSlot();
    if (mFrames.empty())
        throw Failure("expected an object, found a string");
    if (slot == Slot::Option)
    {
        mFrames.back().mItems++;
        mHeader.mOptions.emplace_back(text);
        return;
    }
    const Frame& frame = mFrames.back();
    if (frame.mPlace == Place::Header && slot != Slot::Options)
        return SetHeaderText(slot, text);
    if (frame.mPlace == Place::Node && (slot == Slot::Name || slot == Slot::NameHex))
    {
        if (mNode.mNode != nullptr)
            throw Failure("\"name\" must come before \"counters\"");
        return SetName(mNode.mName, slot, text);
    }
    if (frame.mPlace == Place::Node && slot == Slot::Kind)
    {
        if (text != "folder" && text != "file")
            throw Failure("unknown kind \"" + std::string(text) + "\" (known: folder, file)");
        mNode.mKind = text;
        return;
    }
    if (frame.mPlace == Place::Counter)
    {
        CounterDraft& counter = mCounters.back();
        if (slot == Slot::Type)
        {
            if (text != Vn::Counter_Count::TYPE && text != Vn::Counter_Group::TYPE &&
                text != Vn::Counter_Histogram::TYPE)
                throw Failure("unknown counter type \"" + std::string(text) +
                              "\" (known: Count, Group, Histogram)");
            counter.mType = text;
            return;
        }
        if (counter.mType.empty())
            throw Failure("\"type\" must come first");
        if (slot == Slot::Name || slot == Slot::NameHex)
            return SetName(counter.mName, slot, text);
        if (slot == Slot::UnitX || slot == Slot::UnitY)
        {
            if (counter.mType != Vn::Counter_Histogram::TYPE)
                throw Failure("only a Histogram has units");
            (slot == Slot::UnitX ? counter.mUnitX : counter.mUnitY) = text;
            return;
        }
    }
    throw Failure("expected " + Expected() + ", found a string");
}

void Parser::SetName(NameDraft& name, Slot slot, std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        throw Failure("a name holds a NUL byte");
    if (slot == Slot::Name)
    {
        name.mText = text;
        name.mHasText = true;
    }
    else
    {
        name.mHex = text;
        name.mHasHex = true;
    }
}

void Parser::SetHeaderText(Slot slot, std::string_view text)
{
    const std::string value(text);
    if (slot == Slot::ScanKind && value != "scan" && value != "merge")
        throw Failure("unknown kind \"" + value + "\" (known: scan, merge)");
    if (slot == Slot::Mode && value != "classic" && value != "precise" && value != "options" &&
        value != "mixed")
        throw Failure("unknown mode \"" + value + "\"");
    if (slot == Slot::RootHex)
    {
        mHeader.mRoot = Bytes({mHeader.mRoot, value, true, true});
        return;
    }
    (slot == Slot::Version    ? mHeader.mVersion
     : slot == Slot::ScanKind ? mHeader.mKind
     : slot == Slot::RootName ? mHeader.mRoot
                              : mHeader.mMode) = value;
}

void Parser::Open(bool object)
{
    const Slot slot = NextSlot();
    const bool wanted = object
                            ? (slot == Slot::None || slot == Slot::Header || slot == Slot::Root ||
                               slot == Slot::Node || slot == Slot::Counter)
                            : (slot == Slot::Options || slot == Slot::Counters ||
                               slot == Slot::Nodes || slot == Slot::Values || slot == Slot::Pair);
    if (!wanted)
        throw Failure("expected " + Expected() + ", found " + (object ? "an object" : "an array"));
    if (!mFrames.empty() && IsArray(mFrames.back().mPlace))
        mFrames.back().mItems++;
    switch (slot)
    {
    case Slot::None:
        mFrames.push_back({Place::Document});
        return;
    case Slot::Header:
        if (mRootSeen)
            throw Failure("\"header\" must come before \"root\"");
        mFrames.push_back({Place::Header});
        return;
    case Slot::Root:
        if (mRootSeen)
            throw Failure("a second \"root\"");
        [[fallthrough]];
    case Slot::Node:
        mNode = NodeDraft();
        mRootSeen = true;
        mFrames.push_back({Place::Node});
        return;
    case Slot::Counter:
        if (mCounters.size() == ScanReader::MAX_COUNTER_DEPTH)
            throw Failure(TrovLib::Format("counters nest deeper than %zu levels",
                                          ScanReader::MAX_COUNTER_DEPTH));
        mCounters.emplace_back();
        mFrames.push_back({Place::Counter});
        return;
    case Slot::Options:
        mFrames.push_back({Place::Options});
        return;
    case Slot::Counters:
        if (mFrames.back().mPlace == Place::Node)
        {
            if (mNode.mHasCounters)
                throw Failure("a second \"counters\"");
            MakeNode();
            mNode.mHasCounters = true;
            mLists.push_back(CountersOf(mNode));
        }
        else
        {
            MakeCounter();
            auto* group = dynamic_cast<Vn::Counter_Group*>(mCounters.back().mCounter.get());
            if (group == nullptr)
                throw Failure("a Histogram holds no counters");
            mLists.push_back(&group->mCounters);
        }
        mFrames.push_back({Place::Counters});
        return;
    case Slot::Nodes:
        MakeNode();
        if (!mNode.mHasCounters)
            throw Failure("\"counters\" must come before \"nodes\"");
        if (mNode.mKind != "folder")
            throw Failure("a file has no nodes");
        EnterNode(true);
        mFrames.push_back({Place::Nodes});
        return;
    case Slot::Values:
        if (mCounters.back().mType != Vn::Counter_Histogram::TYPE)
            throw Failure("only a Histogram has values");
        MakeCounter();
        mFrames.push_back({Place::Values});
        return;
    default: // Slot::Pair
        mFrames.push_back({Place::Pair});
        return;
    }
}

void Parser::SelectKey(std::string_view key)
{
    Frame& frame = mFrames.back();
    if (frame.mPlace == Place::Node && frame.mKey != nullptr &&
        std::strcmp(frame.mKey, "nodes") == 0)
        throw Failure("nothing may follow \"nodes\"");
    for (const KeyRule& rule : KEYS)
    {
        if (rule.mPlace == frame.mPlace && key == rule.mKey)
        {
            const bool made = frame.mPlace == Place::Node ? mNode.mNode != nullptr
                              : frame.mPlace == Place::Counter
                                  ? mCounters.back().mCounter != nullptr
                                  : false;
            if (made && rule.mSlot != Slot::Counters && rule.mSlot != Slot::Nodes &&
                rule.mSlot != Slot::Values)
                throw Failure("\"" + std::string(key) + "\" must come before \"counters\"");
            frame.mKey = rule.mKey;
            mSlot = rule.mSlot;
            return;
        }
    }
    throw Failure("unknown key \"" + std::string(key) + "\"");
}

void Parser::CloseObject()
{
    const Place place = mFrames.back().mPlace;
    const bool folderEnds = place == Place::Node && mFrames.back().mKey != nullptr &&
                            std::strcmp(mFrames.back().mKey, "nodes") == 0;
    mFrames.pop_back();
    if (place == Place::Header)
        return EndHeader();
    if (place == Place::Counter)
        return EndCounter();
    if (place == Place::Document)
    {
        if (!mRootSeen)
            throw Failure("\"root\" missing");
        return;
    }
    if (folderEnds)
    {
        mFolders.pop_back();
        mVisitor.Leave();
        return;
    }
    MakeNode();
    if (!mNode.mHasCounters)
        throw Failure("\"counters\" missing");
    if (mNode.mKind == "folder")
        throw Failure("\"nodes\" missing");
    EnterNode(false);
}

void Parser::CloseArray()
{
    const Frame frame = mFrames.back();
    mFrames.pop_back();
    if (frame.mPlace == Place::Counters)
        mLists.pop_back();
    if (frame.mPlace == Place::Pair)
    {
        if (frame.mItems != 2)
            throw Failure("a value of a histogram is a pair");
        static_cast<Vn::Counter_Histogram&>(*mCounters.back().mCounter)
            .AddValue(mPair[0], mPair[1]);
    }
}

void Parser::EndHeader()
{
    const std::pair<const char*, const std::string*> required[] = {
        {"version", &mHeader.mVersion}, {"kind", &mHeader.mKind}, {"mode", &mHeader.mMode}};
    for (const auto& [key, value] : required)
    {
        if (value->empty())
            throw Failure(TrovLib::Format("the header lacks \"%s\"", key));
    }
    if (mHeader.mKind == "scan" && mHeader.mRoot.empty())
        throw Failure("the header lacks \"root\"");
    mVisitor.Header(mHeader);
}

void Parser::MakeNode()
{
    if (mNode.mNode != nullptr)
        return;
    if (mNode.mKind.empty())
        throw Failure("\"kind\" missing before \"counters\"");
    const std::string name = Bytes(mNode.mName);
    const bool isFolder = mNode.mKind == "folder";
    CheckNodeName(name, isFolder);
    if (isFolder)
        mNode.mNode = std::make_unique<Vn::Data_Folder>(name.c_str());
    else
        mNode.mNode = std::make_unique<Vn::Data_Node>(name.c_str());
}

// A sub-folder is named by its path below the root, a file by the root's name and that
// path: each continues the path of its folder with one more name of its own. The one
// file of a scan of a file is named as the root.
void Parser::CheckNodeName(const std::string& name, bool isFolder)
{
    if (mFolders.empty())
    {
        if (!isFolder)
            throw Failure("the root is not a folder");
        if (name.empty())
            throw Failure("the root has no name");
        mFilePrefix = name + TrovLib::SEPARATOR; // as files are named, "//etc" below "/" too
        return;
    }
    OpenFolder& folder = mFolders.back();
    const std::string path = folder.mPath.empty() ? "" : folder.mPath + TrovLib::SEPARATOR;
    const std::string prefix = isFolder ? path : mFilePrefix + path;
    const bool fileAsRoot =
        !isFolder && mFolders.size() == 1 && name + TrovLib::SEPARATOR == prefix;
    mFileAsRoot = fileAsRoot;
    const std::string_view own =
        fileAsRoot ? TrovLib::LastComponent(std::string_view(name))
                   : std::string_view(name).substr(std::min(prefix.size(), name.size()));
    if ((!fileAsRoot && !name.starts_with(prefix)) || own.empty() || own == "." || own == ".." ||
        own.find(TrovLib::SEPARATOR) != std::string_view::npos)
        throw Failure("\"" + ToValidUtf8(name) + "\" is not a name in the folder \"" +
                      ToValidUtf8(folder.mPath.empty() ? "." : folder.mPath) + "\"");
    if (!folder.mChildren.emplace(own).second)
        throw Failure("two nodes named \"" + ToValidUtf8(own) + "\" in one folder");
}

// A folder's counters are read into its totals; a file's into a list that its node takes.
Vn::Counter_List* Parser::CountersOf(NodeDraft& draft)
{
    if (draft.mNode->IsFolder())
        return &static_cast<Vn::Data_Folder&>(*draft.mNode).mCounters;
    draft.mFileCounters = std::make_unique<Vn::Counter_List>();
    return draft.mFileCounters.get();
}

void Parser::EnterNode(bool isFolder)
{
    std::unique_ptr<Vn::Data_Node> node = std::move(mNode.mNode);
    if (!isFolder)
        node->mCounts.Take(std::move(mNode.mFileCounters));
    mStopped = !mVisitor.Enter(*node, isFolder);
    auto* folder = isFolder ? static_cast<Vn::Data_Folder*>(node.get()) : nullptr;
    if (isFolder)
    {
        if (mFolders.size() == ScanReader::MAX_FOLDER_DEPTH)
            throw Failure(TrovLib::Format("folders nest deeper than %zu levels",
                                          ScanReader::MAX_FOLDER_DEPTH));
        mFolders.push_back({folder, mFolders.empty() ? "" : node->GetName(), {}});
    }
    if (!mKeep)
        return;
    // Folders keep the totals that were written; children join without a merge.
    if (mRoot == nullptr)
        mRoot.reset(static_cast<Vn::Data_Folder*>(node.release()));
    else
    {
        Vn::Data_Folder& parent = *mFolders[mFolders.size() - (isFolder ? 2 : 1)].mFolder;
        if (mFileAsRoot)
            parent.SetRootKind(Vn::TreeNode::RootKind::FILE);
        parent.AddNode_Totalled(std::move(node));
    }
}

void Parser::MakeCounter()
{
    CounterDraft& counter = mCounters.back();
    if (counter.mCounter != nullptr)
        return;
    if (counter.mType.empty())
        throw Failure("\"type\" missing");
    const std::string name = Bytes(counter.mName);
    if (counter.mType == Vn::Counter_Histogram::TYPE)
    {
        if (counter.mUnitX.empty() || counter.mUnitY.empty())
            throw Failure("a Histogram needs \"unitX\" and \"unitY\" before its values");
        // The histogram keeps its units by pointer, so they are stored for good.
        counter.mCounter = std::make_unique<Vn::Counter_Histogram>(
            name.c_str(), Vn::Counter_Names::Intern(counter.mUnitX),
            Vn::Counter_Names::Intern(counter.mUnitY));
    }
    else if (counter.mType == Vn::Counter_Count::TYPE)
    {
        if (!counter.mCount)
            throw Failure("\"count\" must come before \"counters\"");
        counter.mCounter = std::make_unique<Vn::Counter_Count>(name.c_str(), *counter.mCount);
    }
    else
    {
        counter.mCounter = std::make_unique<Vn::Counter_Group>(name.c_str());
    }
}

void Parser::EndCounter()
{
    MakeCounter();
    Vn::Counter_List& list = *mLists.back();
    std::unique_ptr<Vn::Counter> counter = std::move(mCounters.back().mCounter);
    mCounters.pop_back();
    if (list.Find(counter->GetType(), counter->GetName()) != nullptr)
        throw Failure(TrovLib::Format("two %s counters named \"%s\" in one list",
                                      counter->GetType(), ToValidUtf8(counter->GetName()).c_str()));
    list.Append(std::move(counter));
}

std::unique_ptr<Vn::Data_Folder> Read(const std::string& path, ScanVisitor& visitor, bool keep)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    struct stat info = {};
    if (file == nullptr || fstat(fileno(file.get()), &info) != 0)
        throw std::runtime_error(path + ": " + std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        throw std::runtime_error(path + ": a folder, not a scan written by scan --json");
    std::vector<char> buffer(1 << 16);
    rapidjson::FileReadStream stream(file.get(), buffer.data(), buffer.size());
    Parser parser(visitor, keep);
    rapidjson::Reader reader;
    const rapidjson::ParseResult result = reader.Parse<FLAGS>(stream, parser);
    if (ferror(file.get()))
        throw std::runtime_error(path + ": cannot be read");
    if (!result && !parser.Stopped())
    {
        const std::string problem = result.Code() == rapidjson::kParseErrorTermination
                                        ? parser.Problem()
                                        : rapidjson::GetParseError_En(result.Code());
        throw std::runtime_error(TrovLib::Format(
            "%s: not a scan written by scan --json: at %s (byte %zu): %s", path.c_str(),
            parser.Where().c_str(), result.Offset(), problem.c_str()));
    }
    return parser.TakeRoot();
}

// Keeps the header for ReadScanFile.
class HeaderKeeper : public ScanVisitor
{
public:
    void Header(const ScanHeader& header) override { mHeader = header; }
    bool Enter(const Vn::Data_Node&, bool) override { return true; }
    void Leave() override {}

    std::optional<ScanHeader> mHeader;
};

} // namespace

void VisitTree(const Vn::Data_Folder& root, ScanVisitor& visitor)
{
    bool stopped = false;
    Vn::WalkTree<Vn::Data_Node>(
        root,
        [&](const Vn::Data_Node& node, size_t)
        { stopped = stopped || !visitor.Enter(node, node.IsFolder()); },
        [&](const Vn::Data_Node& node, size_t)
        {
            if (!stopped && node.IsFolder())
                visitor.Leave();
        });
}

void ScanReader::Read(const std::string& path, ScanVisitor& visitor)
{
    VarnikCli::Read(path, visitor, false);
}

ScanFile ReadScanFile(const std::string& path)
{
    HeaderKeeper keeper;
    std::unique_ptr<Vn::Data_Folder> root = Read(path, keeper, true);
    return {std::move(keeper.mHeader), std::move(root)};
}

} // namespace VarnikCli
