#include "engine/parsers/FileCounters.h"

#include "engine/counters/Counter_Count.h"
#include "engine/tree/CounterSchema.h"
#include "engine/tree/Data_Node.h"

namespace Vn
{

namespace
{

// A count named `name` holding "Blank", "Code" and "Comment", which it hands out.
std::unique_ptr<Counter_Count> CreateLines(const char* name, Counter_Count*& blank,
                                           Counter_Count*& code, Counter_Count*& comment)
{
    auto lines = std::make_unique<Counter_Count>(name, 0);
    blank = lines->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_BLANK, 0));
    code = lines->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_CODE, 0));
    comment = lines->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_COMMENT, 0));
    return lines;
}

} // namespace

FileCounters::FileCounters()
{
    mName.reserve(64);
}

void FileCounters::Create(Data_Node& node, const char* type, bool directives)
{
    auto line = CreateLines(Schema::NAME_LINE, mBlank, mCode, mComment);
    auto typed = CreateLines(type, mTypeBlank, mTypeCode, mTypeComment);
    mLine = node.mCounters.Append(std::move(line));
    mType = node.mCounters.Append(std::move(typed));
    mDirective = mIf = mParsingError = nullptr;
    if (directives)
    {
        mDirective =
            mTypeCode->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_DIRECTIVE, 0));
        mIf = node.mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_CONDITIONS, 0));
    }
}

void FileCounters::CountBlank()
{
    (*mBlank)++;
    (*mTypeBlank)++;
}

void FileCounters::CountCode()
{
    (*mCode)++;
    (*mTypeCode)++;
}

void FileCounters::CountComment()
{
    (*mComment)++;
    (*mTypeComment)++;
}

void FileCounters::CountName(std::string_view name)
{
    mName.assign(name);
    auto* counter =
        static_cast<Counter_Count*>(mIf->mCounters.Find(Counter_Count::TYPE, mName.c_str()));
    if (counter == nullptr)
        counter = mIf->mCounters.Append(std::make_unique<Counter_Count>(mName.c_str(), 0));
    (*counter)++;
}

Counter_Count& FileCounters::AddParsingError(Data_Node& node)
{
    if (mParsingError == nullptr)
        mParsingError =
            node.mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_PARSING_ERROR, 0));
    (*mParsingError)++;
    return *mParsingError;
}

} // namespace Vn
