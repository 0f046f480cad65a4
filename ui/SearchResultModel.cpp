#include "ui/SearchResultModel.h"

#include "engine/tree/TreeWalk.h"

#include "lib/Format.h"
#include "lib/Path.h"
#include "ui/LocalText.h"
#include "ui/NodeRows.h"

#include <algorithm>
#include <cinttypes>
#include <string_view>
#include <utility>

namespace Varnik
{

namespace
{

// The clock is read every so many files appended.
constexpr unsigned FILES_PER_CLOCK = 64;

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The engine's spans count bytes of the line's text; the row shows the decoded text after
// "Line N : " and without the line's end.
SearchResultModel::Marks MarksOf(const Vn::SearchResult_File& file, size_t index)
{
    const std::string row = file.mLines[index].GetText();
    const size_t text = row.size() - file.mLines[index].mText.size();
    const size_t shown = WithoutLineEnd(row).size();
    int characters = 0;
    size_t decoded = 0;
    const auto decodeTo = [&](size_t end)
    {
        end = std::min(end, shown);
        characters += static_cast<int>(LocalText_ToQt(row.substr(decoded, end - decoded)).size());
        decoded = end;
    };
    SearchResultModel::Marks marks;
    for (const Vn::SearchResult_File::Span& span : file.GetSpans(index))
    {
        decodeTo(text + span.mOffset);
        const int start = characters;
        decodeTo(text + span.mOffset + span.mLength);
        if (characters > start)
            marks.append({start, characters - start});
    }
    return marks;
}

// Whether `folder` (relative to the root) is `within` or a folder below it.
bool IsWithin(std::string_view folder, std::string_view within)
{
    return folder.starts_with(within) &&
           (folder.size() == within.size() || folder[within.size()] == TrovLib::SEPARATOR);
}

} // namespace

SearchResultModel::Folder::~Folder()
{
    Vn::ReleaseTree(mChildren,
                    [](Node& node)
                    {
                        auto* folder = dynamic_cast<Folder*>(&node);
                        return folder != nullptr ? &folder->mChildren : nullptr;
                    });
}

int SearchResultModel::FileNode::GetChildren() const
{
    return static_cast<int>(mFile->mLines.size());
}

SearchResultModel::SearchResultModel(QObject* parent) : QAbstractItemModel(parent) {}

SearchResultModel::~SearchResultModel()
{
    mDisposal.Release(std::move(mRoot));
}

void SearchResultModel::Reset(const std::string& rootName)
{
    beginResetModel();
    mDisposal.Release(std::move(mRoot));
    mRootName = rootName;
    mRoot = std::make_unique<Folder>();
    mRoot->mName = rootName;
    mOpen = {mRoot.get()};
    mFiles = 0;
    endResetModel();
}

void SearchResultModel::Clear()
{
    beginResetModel();
    mDisposal.Release(std::move(mRoot));
    mOpen.clear();
    mFiles = 0;
    endResetModel();
}

// Every folder on the way down to a file holds its lines; the rows of those that grew are
// exposed and their counts repainted once, at the end.
void SearchResultModel::Append(std::deque<File>& files,
                               std::chrono::steady_clock::time_point deadline)
{
    if (!mRoot)
        return;
    mChanged.clear();
    mEpoch++;
    for (unsigned taken = 0; !files.empty(); taken++)
    {
        if (taken % FILES_PER_CLOCK == FILES_PER_CLOCK - 1 &&
            std::chrono::steady_clock::now() > deadline)
            break;
        File file = std::move(files.front());
        files.pop_front();
        const std::string path = file->GetName();
        Folder& folder = FolderOf(path);
        for (Folder* open : mOpen)
        {
            open->mLines += file->GetCount();
            if (std::exchange(open->mChangedIn, mEpoch) != mEpoch)
                mChanged.push_back(open);
        }
        auto node = std::make_unique<FileNode>();
        node->mFile = std::move(file);
        Add(folder, std::move(node));
        mFiles++;
    }
    if (mFiles != 0 && !mRoot->mExposed)
    {
        beginInsertRows({}, 0, 0);
        mRoot->mExposed = true;
        endInsertRows();
    }
    for (Folder* folder : mChanged)
    {
        if (!folder->mExposed)
            continue;
        Expose(*folder);
        const QModelIndex row = IndexOf(*folder);
        emit dataChanged(row, row, {Qt::DisplayRole});
    }
}

// Walk order closes the folders that do not hold the file, then opens those below.
SearchResultModel::Folder& SearchResultModel::FolderOf(const std::string& path)
{
    std::string_view relative(path);
    if (relative.starts_with(mRootName))
        relative.remove_prefix(mRootName.size());
    if (relative.starts_with(TrovLib::SEPARATOR))
        relative.remove_prefix(1);
    const size_t last = relative.rfind(TrovLib::SEPARATOR);
    const std::string_view wanted =
        last == std::string_view::npos ? std::string_view() : relative.substr(0, last);

    while (mOpen.size() > 1 && !IsWithin(wanted, mOpen.back()->mName))
        mOpen.pop_back();
    Folder* folder = mOpen.back();
    for (size_t done = mOpen.size() > 1 ? folder->mName.size() : 0; done < wanted.size();
         done = folder->mName.size())
    {
        const size_t start = mOpen.size() > 1 ? done + 1 : 0;
        const size_t end = std::min(wanted.find(TrovLib::SEPARATOR, start), wanted.size());
        folder = &Folder_Open(*folder, std::string(wanted.substr(0, end)));
    }
    return *folder;
}

SearchResultModel::Folder& SearchResultModel::Folder_Open(Folder& parent, std::string name)
{
    auto folder = std::make_unique<Folder>();
    folder->mName = std::move(name);
    Folder& opened = *folder;
    Add(parent, std::move(folder));
    mOpen.push_back(&opened);
    return opened;
}

void SearchResultModel::Add(Folder& folder, std::unique_ptr<Node> node)
{
    node->mParent = &folder;
    node->mRow = folder.GetChildren();
    folder.mChildren.push_back(std::move(node));
}

void SearchResultModel::Expose(Node& node)
{
    if (node.mFetched < FETCH_BATCH)
        Fetch(node, FETCH_BATCH - node.mFetched);
}

void SearchResultModel::Fetch(Node& node, int rows)
{
    const int first = node.mFetched;
    const int last = std::min(ChildCount(node), first + rows) - 1;
    if (last < first)
        return;
    beginInsertRows(IndexOf(node), first, last);
    node.mFetched = last + 1;
    if (auto* folder = dynamic_cast<Folder*>(&node))
    {
        for (int row = first; row <= last; row++)
            folder->mChildren[row]->mExposed = true;
    }
    endInsertRows();
}

int SearchResultModel::ChildCount(const Node& node)
{
    if (const auto* folder = dynamic_cast<const Folder*>(&node))
        return folder->GetChildren();
    return static_cast<const FileNode&>(node).GetChildren();
}

uint64_t SearchResultModel::GetLines() const
{
    return mRoot ? mRoot->mLines : 0;
}

SearchResultModel::Node* SearchResultModel::NodeOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    auto* parent = static_cast<Node*>(index.internalPointer());
    if (parent == nullptr)
        return mRoot.get();
    auto* folder = dynamic_cast<Folder*>(parent);
    return folder ? folder->mChildren[index.row()].get() : nullptr;
}

QModelIndex SearchResultModel::IndexOf(const Node& node) const
{
    return createIndex(node.mRow, 0, static_cast<Node*>(node.mParent));
}

const Vn::SearchResult_File* SearchResultModel::GetFile(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    const Node* node = NodeOf(index);
    if (node == nullptr) // a line
        node = static_cast<const Node*>(index.internalPointer());
    const auto* file = dynamic_cast<const FileNode*>(node);
    return file ? file->mFile.get() : nullptr;
}

uint64_t SearchResultModel::GetLine(const QModelIndex& index) const
{
    if (!index.isValid() || NodeOf(index) != nullptr)
        return 0;
    const auto& file = *static_cast<const FileNode*>(index.internalPointer());
    return file.mFile->mLines[index.row()].mLine;
}

std::string SearchResultModel::GetFolderPath(const QModelIndex& index) const
{
    const Node* node = NodeOf(index);
    if (node == nullptr) // a line, whose parent is its file
        node = static_cast<const Node*>(index.internalPointer());
    if (dynamic_cast<const FileNode*>(node) != nullptr)
        node = node->mParent;
    if (node == mRoot.get())
        return mRootName;
    return TrovLib::Format("%s%c%s", mRootName.c_str(), TrovLib::SEPARATOR,
                           static_cast<const Folder*>(node)->mName.c_str());
}

QModelIndex SearchResultModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, parent.isValid() ? NodeOf(parent) : nullptr);
}

QModelIndex SearchResultModel::parent(const QModelIndex& index) const
{
    const auto* parent =
        index.isValid() ? static_cast<const Node*>(index.internalPointer()) : nullptr;
    return parent ? IndexOf(*parent) : QModelIndex();
}

int SearchResultModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return mRoot && mRoot->mExposed ? 1 : 0;
    const Node* node = NodeOf(parent);
    return node ? node->mFetched : 0;
}

int SearchResultModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool SearchResultModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return rowCount(parent) > 0;
    const Node* node = NodeOf(parent);
    return node != nullptr && ChildCount(*node) > 0;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != LINE_ROLE && role != MARKS_ROLE))
        return {};
    const Node* node = NodeOf(index);
    if (node == nullptr)
    {
        const auto& file = *static_cast<const FileNode*>(index.internalPointer());
        const Vn::SearchResult_File::Line_Info& line = file.mFile->mLines[index.row()];
        if (role == LINE_ROLE)
            return qulonglong{line.mLine};
        if (role == MARKS_ROLE)
            return QVariant::fromValue(MarksOf(*file.mFile, index.row()));
        return LocalText_ToQt(WithoutLineEnd(line.GetText()));
    }
    if (role != Qt::DisplayRole)
        return {};
    if (const auto* file = dynamic_cast<const FileNode*>(node))
        return LocalText_ToQt(file->mFile->GetText());
    const auto& folder = static_cast<const Folder&>(*node);
    const std::string name(TrovLib::LastComponent(folder.mName));
    return LocalText_ToQt(
        TrovLib::Format("%s%c (%" PRIu64 ")", name.c_str(), TrovLib::SEPARATOR, folder.mLines));
}

// Only the first batch: LazyTreeView fetches the next ones as they come into sight.
bool SearchResultModel::canFetchMore(const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    return node != nullptr && node->mFetched == 0 && ChildCount(*node) > 0;
}

void SearchResultModel::fetchMore(const QModelIndex& parent)
{
    if (Node* node = NodeOf(parent))
        Fetch(*node, FETCH_BATCH);
}

} // namespace Varnik
