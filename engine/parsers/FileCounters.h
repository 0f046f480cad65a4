#pragma once

#include <string>
#include <string_view>

namespace Vn
{

class Counter_Count;
class Data_Node;

// The counters of the text file being read. They belong to the file node's counter tree;
// these point into it, so that a line costs a few increments.
class FileCounters
{
public:
    FileCounters();

    // Appends to the node "Line" with its "Blank", "Code" and "Comment", then a count
    // named `type` holding the same three; with `directives`, "Directive" under the type's
    // "Code" and then "#if". Forgets any earlier file's counters.
    void Create(Data_Node& node, const char* type, bool directives);
    // One more line of each kind, under "Line" and under the type.
    void CountBlank();
    void CountCode();
    void CountComment();
    // One more test of `name` under "#if", whose count is appended at its first test.
    void CountName(std::string_view name);
    // One more parsing error; "Parsing Error" is appended to the node at the first.
    Counter_Count& AddParsingError(Data_Node& node);

    Counter_Count* mLine = nullptr;
    Counter_Count* mBlank = nullptr;
    Counter_Count* mCode = nullptr;
    Counter_Count* mComment = nullptr;
    Counter_Count* mType = nullptr;
    Counter_Count* mTypeBlank = nullptr;
    Counter_Count* mTypeCode = nullptr;
    Counter_Count* mTypeComment = nullptr;
    Counter_Count* mDirective = nullptr; // with directives only
    Counter_Count* mIf = nullptr;        // with directives only
    Counter_Count* mParsingError = nullptr;

private:
    std::string mName; // reused for each name looked up, so that lines allocate nothing
};

} // namespace Vn
