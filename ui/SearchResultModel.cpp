#include "ui/SearchResultModel.h"

#include "engine/tree/TreeWalk.h"

#include "lib/Format.h"
#include "lib/Path.h"
#include "ui/LocalText.h"
#include "ui/NodeRows.h"

#include <algorithm>
#include <cinttypes>
#include <cstring>
#include <string_view>
#include <strings.h>
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
SearchResultModel::Marks MarksOf(Vn::SearchHits hits, size_t index)
{
    const std::string row = hits.GetLineRow(index);
    const size_t text = row.size() - hits.GetLineText(index).size();
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
    for (const Vn::SearchHits::Span& span : hits.GetSpans(index))
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

SearchResultModel::SearchResultModel(QObject* parent) : QAbstractItemModel(parent) {}

SearchResultModel::~SearchResultModel()
{
    Release();
}

// The store goes after the tree whose nodes point into it.
void SearchResultModel::Release()
{
    mDisposal.Release(std::move(mRoot));
    mDisposal.Release(std::move(mHitStore));
}

void SearchResultModel::Reset(const std::string& rootName)
{
    beginResetModel();
    Release();
    mRootName = rootName;
    mRoot = std::make_unique<Folder>();
    mHitStore = std::make_unique<HitStore>();
    mRoot->mName = TrovLib::LastComponent(rootName);
    mOpen = {mRoot.get()};
    mOpenPath.clear();
    mFiles = 0;
    mRootIsFile = false;
    endResetModel();
}

void SearchResultModel::Clear()
{
    beginResetModel();
    Release();
    mOpen.clear();
    mOpenPath.clear();
    mFiles = 0;
    mRootIsFile = false;
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
        Folder& folder = FolderOf(file.mPath);
        mRootIsFile |= file.mPath == mRootName;
        auto node = std::make_unique<FileNode>();
        node->mHits = mHitStore->Keep(file.mHits.Get());
        node->mLines = node->mHits.GetLineCount();
        for (Folder* open : mOpen)
        {
            open->mLines += node->mLines;
            if (std::exchange(open->mChangedIn, mEpoch) != mEpoch)
                mChanged.push_back(open);
        }
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
        if (folder->mFetched != 0)
            Sort(*folder);
        else if (mOrder == Order::LINES)
            folder->mSorted = 0; // its folders' counts grew: sorted whole once fetched
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

    while (mOpen.size() > 1 && !IsWithin(wanted, mOpenPath))
        Folder_Close();
    Folder* folder = mOpen.back();
    while (mOpenPath.size() < wanted.size())
    {
        const size_t start = mOpenPath.empty() ? 0 : mOpenPath.size() + 1;
        const size_t end = std::min(wanted.find(TrovLib::SEPARATOR, start), wanted.size());
        folder = &Folder_Open(*folder, wanted.substr(start, end - start));
    }
    return *folder;
}

SearchResultModel::Folder& SearchResultModel::Folder_Open(Folder& parent, std::string_view name)
{
    if (mOpen.size() > 1)
        mOpenPath += TrovLib::SEPARATOR;
    mOpenPath += name;
    auto folder = std::make_unique<Folder>();
    folder->mName = name;
    Folder& opened = *folder;
    Add(parent, std::move(folder));
    mOpen.push_back(&opened);
    return opened;
}

void SearchResultModel::Folder_Close()
{
    const size_t name = mOpen.back()->mName.size();
    mOpen.pop_back();
    mOpenPath.resize(mOpenPath.size() - name - (mOpen.size() > 1 ? 1 : 0));
}

void SearchResultModel::Add(Folder& folder, std::unique_ptr<Node> node)
{
    node->mParent = &folder;
    node->mRow = folder.GetChildren();
    node->mWalked = mWalked++;
    folder.mChildren.push_back(std::move(node));
}

void SearchResultModel::Expose(Node& node)
{
    if (node.mFetched < FETCH_BATCH)
        Fetch(node, FETCH_BATCH - node.mFetched);
}

void SearchResultModel::Fetch(Node& node, int rows)
{
    auto* folder = dynamic_cast<Folder*>(&node);
    if (folder != nullptr && (folder->mSortedAs != mOrder || folder->mSorted < ChildCount(node)))
        Sort(*folder);
    const int first = node.mFetched;
    const int last = std::min(ChildCount(node), first + rows) - 1;
    if (last < first)
        return;
    beginInsertRows(IndexOf(node), first, last);
    node.mFetched = last + 1;
    if (folder != nullptr)
    {
        for (int row = first; row <= last; row++)
            folder->mChildren[row]->mExposed = true;
    }
    endInsertRows();
}

void SearchResultModel::SetOrder(Order order)
{
    if (order == mOrder)
        return;
    beginResetModel();
    mOrder = order;
    std::vector<Node*> fetched;
    if (mRoot)
        fetched.push_back(mRoot.get());
    while (!fetched.empty())
    {
        Node& node = *fetched.back();
        fetched.pop_back();
        if (auto* folder = dynamic_cast<Folder*>(&node))
        {
            for (int row = 0; row < folder->mFetched; row++)
            {
                folder->mChildren[row]->mExposed = false;
                fetched.push_back(folder->mChildren[row].get());
            }
        }
        node.mFetched = 0;
    }
    endResetModel();
}

// Rows shown stay shown, so when one moves further down, the rows shown grow to it.
void SearchResultModel::Sort(Folder& folder)
{
    if (folder.mSortedAs != mOrder)
    {
        folder.mSorted = 0;
        folder.mSortedAs = mOrder;
    }
    const std::vector<Node*> order = Sorted(folder);
    folder.mSorted = folder.GetChildren();
    int shown = 0;
    bool moves = false;
    for (int row = 0; row < static_cast<int>(order.size()); row++)
    {
        if (order[row]->mRow < folder.mFetched)
            shown = row + 1;
        moves |= row < folder.mFetched && order[row]->mRow != row;
    }
    if (!moves)
        return Reorder(folder, order);

    const QModelIndex parent = IndexOf(folder);
    if (shown > folder.mFetched)
    {
        beginInsertRows(parent, folder.mFetched, shown - 1);
        folder.mFetched = shown;
        endInsertRows();
    }
    emit layoutAboutToBeChanged({parent}, VerticalSortHint);
    QModelIndexList from, to;
    std::vector<const Node*> moved;
    for (const QModelIndex& index : persistentIndexList())
    {
        if (index.internalPointer() == static_cast<Node*>(&folder))
        {
            from.append(index);
            moved.push_back(folder.mChildren[index.row()].get());
        }
    }
    Reorder(folder, order);
    for (size_t i = 0; i < moved.size(); i++)
        to.append(createIndex(moved[i]->mRow, from[i].column(), static_cast<Node*>(&folder)));
    changePersistentIndexList(from, to);
    emit layoutChanged({parent}, VerticalSortHint);
}

// Those sorted before keep their order unless their counts grew; the rest are sorted and
// merged in.
std::vector<SearchResultModel::Node*> SearchResultModel::Sorted(Folder& folder) const
{
    std::vector<Node*> kept, moved;
    for (int row = 0; row < folder.GetChildren(); row++)
    {
        Node* child = folder.mChildren[row].get();
        const auto* sub = dynamic_cast<const Folder*>(child);
        const bool grew = mOrder == Order::LINES && sub != nullptr && sub->mChangedIn == mEpoch;
        (row < folder.mSorted && !grew ? kept : moved).push_back(child);
    }
    const auto before = [this](const Node* a, const Node* b) { return Before(*a, *b); };
    std::sort(moved.begin(), moved.end(), before);
    std::vector<Node*> order(kept.size() + moved.size());
    std::merge(kept.begin(), kept.end(), moved.begin(), moved.end(), order.begin(), before);
    return order;
}

void SearchResultModel::Reorder(Folder& folder, const std::vector<Node*>& order)
{
    std::vector<std::unique_ptr<Node>> children;
    children.reserve(order.size());
    for (Node* node : order)
        children.push_back(std::move(folder.mChildren[node->mRow]));
    folder.mChildren = std::move(children);
    for (int row = 0; row < folder.GetChildren(); row++)
    {
        folder.mChildren[row]->mRow = row;
        folder.mChildren[row]->mExposed = row < folder.mFetched;
    }
}

// Equal counts and names keep walk order.
bool SearchResultModel::Before(const Node& a, const Node& b) const
{
    if (mOrder == Order::LINES && a.mLines != b.mLines)
        return a.mLines > b.mLines;
    if (mOrder == Order::NAME)
    {
        const char *nameA = NameOf(a), *nameB = NameOf(b);
        const int names = strcasecmp(nameA, nameB);
        if (names != 0)
            return names < 0;
        if (const int bytes = std::strcmp(nameA, nameB); bytes != 0)
            return bytes < 0;
    }
    return a.mWalked < b.mWalked;
}

const char* SearchResultModel::NameOf(const Node& node)
{
    if (const auto* file = dynamic_cast<const FileNode*>(&node))
        return file->mHits.GetName();
    return static_cast<const Folder&>(node).mName.c_str();
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

const SearchResultModel::FileNode* SearchResultModel::FileOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    const Node* node = NodeOf(index);
    if (node == nullptr) // a line
        node = static_cast<const Node*>(index.internalPointer());
    return dynamic_cast<const FileNode*>(node);
}

std::string SearchResultModel::GetFilePath(const QModelIndex& index) const
{
    const FileNode* file = FileOf(index);
    if (file == nullptr)
        return {};
    std::string path = GetFolderPath(index);
    if (!(mRootIsFile && file->mParent == mRoot.get()))
        (path += TrovLib::SEPARATOR) += file->mHits.GetName();
    return path;
}

uint64_t SearchResultModel::GetLine(const QModelIndex& index) const
{
    if (!index.isValid() || NodeOf(index) != nullptr)
        return 0;
    const auto& file = *static_cast<const FileNode*>(index.internalPointer());
    return file.mHits.GetLineNumber(index.row());
}

std::string SearchResultModel::GetFolderPath(const QModelIndex& index) const
{
    const Node* node = NodeOf(index);
    if (node == nullptr) // a line, whose parent is its file
        node = static_cast<const Node*>(index.internalPointer());
    if (dynamic_cast<const FileNode*>(node) != nullptr)
        node = node->mParent;
    std::vector<const Node*> folders;
    for (; node != mRoot.get(); node = node->mParent)
        folders.push_back(node);
    std::string path = mRootName;
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        (path += TrovLib::SEPARATOR) += static_cast<const Folder*>(*folder)->mName;
    return path;
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
        const size_t row = index.row();
        if (role == LINE_ROLE)
            return qulonglong{file.mHits.GetLineNumber(row)};
        if (role == MARKS_ROLE)
            return QVariant::fromValue(MarksOf(file.mHits, row));
        return LocalText_ToQt(WithoutLineEnd(file.mHits.GetLineRow(row)));
    }
    if (role != Qt::DisplayRole)
        return {};
    if (const auto* file = dynamic_cast<const FileNode*>(node))
        return LocalText_ToQt(
            TrovLib::Format("%s (%" PRIu64 ")", file->mHits.GetName(), file->mLines));
    const auto& folder = static_cast<const Folder&>(*node);
    return LocalText_ToQt(TrovLib::Format("%s%c (%" PRIu64 ")", folder.mName.c_str(),
                                          TrovLib::SEPARATOR, folder.mLines));
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
