#pragma once

#include "engine/options/AnalysisOptions.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>

namespace Varnik
{

// What the window remembers from one run to the next: the last root folder, its
// geometry, the analysis options, the editor command, the search options, the
// counters' order and the order of each sorted view, kept with QSettings under the
// application's name. GUI thread only.
class Settings
{
public:
    // The root folder in the engine's bytes; empty when none was kept.
    std::string LastRoot() const;
    void SetLastRoot(const std::string& root);

    QByteArray Geometry() const;
    void SetGeometry(const QByteArray& geometry);

    Vn::AnalysisOptions Options() const;
    void SetOptions(const Vn::AnalysisOptions& options);

    // How to open a file at a line, "%f" standing for the file and "%l" for the line;
    // empty for the desktop's opener.
    QString EditorCommand() const;
    void SetEditorCommand(const QString& command);

    // A search option of the window, by its name; `checked` when it was never kept.
    bool SearchOption(const QString& name, bool checked) const;
    void SetSearchOption(const QString& name, bool checked);
    // The file types left out of the last search.
    QStringList UncheckedTypes() const;
    void SetUncheckedTypes(const QStringList& types);

    bool SortByCount() const;
    void SetSortByCount(bool sort);

    // The order of the search results, as the action's index in the order menu; 0, walk
    // order, when it was never kept.
    int ResultOrder() const;
    void SetResultOrder(int order);

    // The column that a view, by its name, is sorted by, and in which order; the first
    // column ascending when it was never kept.
    std::pair<int, Qt::SortOrder> SortOrder(const QString& view) const;
    void SetSortOrder(const QString& view, int column, Qt::SortOrder order);

private:
    QSettings mSettings;
};

} // namespace Varnik
