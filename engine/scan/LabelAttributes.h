#pragma once

#include "engine/languages/FileLabels.h"
#include "lib/IgnoreList_Git.h"

#include <memory>
#include <string_view>
#include <vector>

namespace Vn
{

// The attributes of one folder's .gitattributes that label files (linguist-generated,
// linguist-vendored and linguist-documentation), chained to those of the folders above.
//
// Each attribute is kept as a git ignore list in which a line that sets it matches and a
// line that unsets it ("-linguist-vendored", "linguist-vendored=false") is a negation, so
// that git's pattern rules (a pattern without a slash matches the name at any depth, one
// with a slash is anchored to the file's folder, the last matching line wins, and an
// inner file overrides an outer one) come from the matcher of the ignore files.
//
// Belongs to the walk, on one thread.
class LabelAttributes
{
public:
    // `parent` is not owned; `folder` is relative to the walk's root, null for the root.
    LabelAttributes(const LabelAttributes* parent, const char* folder);

    void ReadFromText(std::string_view text);
    // Adds to `hints` what the attributes set and unset for the file at `path`, relative
    // to the walk's root.
    void Apply(const char* path, LabelHints& hints) const;

private:
    struct Attribute
    {
        Label mLabel;
        std::unique_ptr<TrovLib::IgnoreList_Git> mList;
    };

    void ReadLine(std::string_view line);

    std::vector<Attribute> mAttributes;
};

} // namespace Vn
