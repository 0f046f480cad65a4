#pragma once

#include "ui/Disposal.h"
#include "ui/FoundFile.h"
#include "ui/HitStore.h"

#include <QAbstractItemModel>

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Varnik
{

// The results of a search as a tree of folders, files and their matching lines, read by
// the result view a batch of rows at a time.
//
// The rows are built from the files that the search streams in walk order, and from them
// alone: a pass that is cancelled or fails frees the engine's own results on its thread at
// a moment the window cannot know, so the engine's final tree is dropped and the files
// handed over are the answer. Since files come in walk order, each folder's rows are
// appended at its end: a file's folder is the folder being filled or a new one below one
// of its ancestors, found by comparing paths. A search may find millions of files, so a
// file's node holds its hits alone, its own name among them, copied into a HitStore, and
// paths are built from the folders above on demand.
//
// An index's internal pointer is the node of its parent (null for the root's row), and
// its row the place in that parent: a folder's children are folders and files, a file's
// are its lines, which need no node of their own. A node exposes the rows fetched so far;
// appending exposes a folder's new rows at once only up to one batch, and the view
// fetches the rest a batch at a time as the user expands and scrolls.
//
// A folder's children show in the order the user chose: walk order, most lines first, or
// by name, each with walk order for ties. A folder is sorted when its rows are first
// fetched; while a search runs, the files and folders that came in or whose counts grew
// are merged into the rows shown, so that no step sorts more than one folder's children.
// Choosing another order resets the rows shown, and each folder is sorted again as it is
// opened, so nothing walks or sorts the whole tree at once.
//
// GUI thread only. Released trees are freed on a thread of their own.
class SearchResultModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    using File = FoundFile;

    // Where a line's row keeps its number.
    static constexpr int LINE_ROLE = Qt::UserRole + 1;
    // Where a line's row keeps the spans of its matches, as Marks.
    static constexpr int MARKS_ROLE = Qt::UserRole + 2;
    // Each span's first character in the row's text and its length in characters.
    using Marks = QList<std::pair<int, int>>;

    enum class Order
    {
        WALK,
        LINES, // most first
        NAME
    };

    explicit SearchResultModel(QObject* parent = nullptr);
    ~SearchResultModel() override;

    // Empties the model for the results of a search of `rootName`, the root as the engine
    // names it.
    void Reset(const std::string& rootName);
    // No results at all.
    void Clear();
    // Takes files from the front of `files`, in walk order, until none is left or the
    // clock passes `deadline`; nothing after Clear, until the next Reset.
    void Append(std::deque<File>& files, std::chrono::steady_clock::time_point deadline);

    // Shows the rows in another order; the view's rows are reset, the results stay.
    void SetOrder(Order order);
    Order GetOrder() const { return mOrder; }

    bool IsEmpty() const { return mRoot == nullptr || mFiles == 0; }
    uint64_t GetLines() const;
    uint64_t GetFiles() const { return mFiles; }

    // The full path of a file's row, or of the file of a line's row; else empty.
    std::string GetFilePath(const QModelIndex& index) const;
    // The line number of a line's row, else 0.
    uint64_t GetLine(const QModelIndex& index) const;
    // The full path of a folder's row, or of the folder of a file's or a line's row.
    std::string GetFolderPath(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Folder;
    struct Node
    {
        virtual ~Node() = default;

        Folder* mParent = nullptr;
        int mRow = 0;          // in the parent
        int mFetched = 0;      // rows of children that the model shows
        bool mExposed = false; // the node's own row is shown
        uint64_t mLines = 0;   // found in the file, or below the folder
        uint64_t mWalked = 0;  // the node's place in walk order
    };
    struct FileNode : Node
    {
        int GetChildren() const { return static_cast<int>(mHits.GetLineCount()); }
        Vn::SearchHits mHits;
    };
    struct Folder : Node
    {
        // Takes the subtree apart without recursing, however deep it is.
        ~Folder() override;
        int GetChildren() const { return static_cast<int>(mChildren.size()); }

        std::string mName;       // its own; the root's is the last component of the root given
        uint64_t mChangedIn = 0; // the last Append that added lines below it
        std::vector<std::unique_ptr<Node>> mChildren;
        // The first children that are in mSortedAs order; those after came in since.
        int mSorted = 0;
        Order mSortedAs = Order::WALK;
    };

    // Lets go of the tree and its hits.
    void Release();
    static int ChildCount(const Node& node);
    static const char* NameOf(const Node& node);
    // Whether `a` goes before `b` in the active order.
    bool Before(const Node& a, const Node& b) const;
    // Brings the children of `folder` into the active order, moving the rows shown.
    void Sort(Folder& folder);
    // The children of `folder` in the active order, merging those that came in or whose
    // counts grew into those sorted before.
    std::vector<Node*> Sorted(Folder& folder) const;
    void Reorder(Folder& folder, const std::vector<Node*>& order);
    // The node of the row, or null for a line.
    Node* NodeOf(const QModelIndex& index) const;
    // The file of a file's or a line's row, else null.
    const FileNode* FileOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const Node& node) const;
    // The folder that holds the file, made on the way down from the folders open so far.
    Folder& FolderOf(const std::string& path);
    Folder& Folder_Open(Folder& parent, std::string_view name);
    void Folder_Close();
    void Add(Folder& folder, std::unique_ptr<Node> node);
    // Shows the rows appended to a shown node, up to one batch.
    void Expose(Node& node);
    void Fetch(Node& node, int rows);

    Disposal mDisposal; // goes last, after the tree it frees
    std::string mRootName;
    std::unique_ptr<Folder> mRoot;
    std::unique_ptr<HitStore> mHitStore; // the hits of mRoot's files
    // The folders from the root down to the one filled last.
    std::vector<Folder*> mOpen;
    // The path of the last folder in mOpen, relative to the root; each folder holds only
    // its own name, so that a tree thousands of levels deep takes no more than its names.
    std::string mOpenPath;
    // The folders whose lines the current Append changed, from the top down.
    std::vector<Folder*> mChanged;
    uint64_t mEpoch = 0; // counts the calls of Append
    uint64_t mFiles = 0;
    uint64_t mWalked = 0;     // nodes added
    bool mRootIsFile = false; // the search was of a file, which its root holds
    Order mOrder = Order::WALK;
};

} // namespace Varnik
