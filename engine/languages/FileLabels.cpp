#include "engine/languages/FileLabels.h"

#include "lib/Ascii.h"
#include "lib/IgnoreList_Git.h"

namespace Vn
{

namespace
{

constexpr const char* NAMES[] = {"",         "Generated", "Vendored",
                                 "Minified", "Lock file", "Documentation"};
constexpr const char* IDS[] = {"", "generated", "vendored", "minified", "lock", "documentation"};

bool Matches(std::string_view pattern, std::string_view name)
{
    return TrovLib::IgnoreList_Git::MatchComponent(pattern, name);
}

bool EqualFolded(std::string_view text, std::string_view word)
{
    return text.size() == word.size() &&
           TrovLib::Ascii::EqualFolded(text.data(), word.data(), word.size());
}

} // namespace

LabelFinding::LabelFinding(const LabelHints& hints, std::string* reason)
    : mUnset(hints.mUnset), mReason(reason)
{
    for (Label label : LABELS)
    {
        if ((hints.mSet & Bit(label)) != 0)
            Add(label, ".gitattributes sets linguist-", FileLabels::Id(label));
    }
    for (Label label : LABELS)
    {
        if ((hints.mFolder & Bit(label)) != 0)
            Add(label, "a folder above is labelled ", FileLabels::Id(label));
    }
}

void LabelFinding::Add(Label label, std::string_view rule, std::string_view detail)
{
    if ((mUnset & Bit(label)) != 0 || (mSet & Bit(label)) != 0)
        return;
    mSet |= Bit(label);
    if (mFirst != Label::NONE)
        return;
    mFirst = label;
    if (mReason != nullptr)
        mReason->assign(rule).append(detail);
}

void LabelFinding::AddLongLine(Label label, size_t limit)
{
    Add(label, "a line longer than ", mReason != nullptr ? std::to_string(limit) + " bytes" : "");
}

const char* FileLabels::Name(Label label)
{
    return NAMES[static_cast<size_t>(label)];
}

const char* FileLabels::Id(Label label)
{
    return IDS[static_cast<size_t>(label)];
}

Label FileLabels::FromId(std::string_view id)
{
    for (Label label : LABELS)
    {
        if (id == Id(label))
            return label;
    }
    return Label::NONE;
}

LabelSet FileLabels::ByFolder(std::string_view name) const
{
    LabelSet labels = 0;
    for (Label label : LABELS)
    {
        for (const std::string& folder : mRules[static_cast<size_t>(label)].mFolders)
            labels |= Matches(folder, name) ? Bit(label) : 0;
    }
    return labels;
}

void FileLabels::ByFolders(std::string_view path, LabelFinding& finding) const
{
    for (size_t slash = path.find('/'); slash != path.npos; slash = path.find('/'))
    {
        const std::string_view folder = path.substr(0, slash);
        for (Label label : LABELS)
        {
            if ((ByFolder(folder) & Bit(label)) != 0)
                finding.Add(label, "folder ", folder);
        }
        path.remove_prefix(slash + 1);
    }
}

void FileLabels::ByName(std::string_view name, LabelFinding& finding) const
{
    for (Label label : LABELS)
    {
        const Rules& rules = mRules[static_cast<size_t>(label)];
        for (const std::string& fileName : rules.mFileNames)
        {
            if (name == fileName)
                finding.Add(label, "file name ", fileName);
        }
        for (const std::string& glob : rules.mGlobs)
        {
            if (Matches(glob, name))
                finding.Add(label, "file name pattern ", glob);
        }
    }
}

void FileLabels::ByHead(std::string_view head, LabelFinding& finding) const
{
    head = head.substr(0, MARKER_BYTES);
    for (Label label : LABELS)
    {
        for (const std::string& marker : mRules[static_cast<size_t>(label)].mMarkers)
        {
            if (head.find(marker) != head.npos)
            {
                finding.Add(label, "first bytes hold ", marker);
                break;
            }
        }
    }
}

size_t FileLabels::LongLineLimit(std::string_view name, Label& label) const
{
    const size_t dot = name.rfind('.');
    if (dot == name.npos)
        return 0;
    const std::string_view extension = name.substr(dot + 1);
    for (Label candidate : LABELS)
    {
        const Rules& rules = mRules[static_cast<size_t>(candidate)];
        for (const std::string& watched : rules.mLongLineExtensions)
        {
            if (rules.mLongLine != 0 && EqualFolded(extension, watched))
            {
                label = candidate;
                return rules.mLongLine;
            }
        }
    }
    return 0;
}

} // namespace Vn
