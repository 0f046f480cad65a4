#include "ui/Settings.h"

#include "engine/options/AnalysisSwitch.h"

namespace Varnik
{

std::string Settings::LastRoot() const
{
    return mSettings.value("lastRoot").toByteArray().toStdString();
}

void Settings::SetLastRoot(const std::string& root)
{
    mSettings.setValue("lastRoot", QByteArray::fromStdString(root));
}

QByteArray Settings::Geometry() const
{
    return mSettings.value("geometry").toByteArray();
}

void Settings::SetGeometry(const QByteArray& geometry)
{
    mSettings.setValue("geometry", geometry);
}

// Each switch that the window offers is kept under its own key.
Vn::AnalysisOptions Settings::Options() const
{
    Vn::AnalysisOptions options;
    for (const Vn::AnalysisSwitch& option : Vn::ANALYSIS_SWITCHES)
    {
        if (option.mSettingsKey != nullptr)
            option.Set(options, mSettings.value(option.mSettingsKey, false).toBool());
    }
    return options;
}

void Settings::SetOptions(const Vn::AnalysisOptions& options)
{
    for (const Vn::AnalysisSwitch& option : Vn::ANALYSIS_SWITCHES)
    {
        if (option.mSettingsKey != nullptr)
            mSettings.setValue(option.mSettingsKey, option.IsOn(options));
    }
}

QString Settings::EditorCommand() const
{
    return mSettings.value("editorCommand").toString();
}

void Settings::SetEditorCommand(const QString& command)
{
    mSettings.setValue("editorCommand", command);
}

bool Settings::SearchOption(const QString& name, bool checked) const
{
    return mSettings.value("search/" + name, checked).toBool();
}

void Settings::SetSearchOption(const QString& name, bool checked)
{
    mSettings.setValue("search/" + name, checked);
}

QStringList Settings::UncheckedTypes() const
{
    return mSettings.value("search/uncheckedTypes").toStringList();
}

void Settings::SetUncheckedTypes(const QStringList& types)
{
    mSettings.setValue("search/uncheckedTypes", types);
}

bool Settings::SortByCount() const
{
    return mSettings.value("sortByCount", false).toBool();
}

void Settings::SetSortByCount(bool sort)
{
    mSettings.setValue("sortByCount", sort);
}

int Settings::ResultOrder() const
{
    return mSettings.value("search/order", 0).toInt();
}

void Settings::SetResultOrder(int order)
{
    mSettings.setValue("search/order", order);
}

std::pair<int, Qt::SortOrder> Settings::SortOrder(const QString& view) const
{
    const int column = mSettings.value("sort/" + view + "/column", 0).toInt();
    const bool descending = mSettings.value("sort/" + view + "/descending", false).toBool();
    return {column, descending ? Qt::DescendingOrder : Qt::AscendingOrder};
}

void Settings::SetSortOrder(const QString& view, int column, Qt::SortOrder order)
{
    mSettings.setValue("sort/" + view + "/column", column);
    mSettings.setValue("sort/" + view + "/descending", order == Qt::DescendingOrder);
}

} // namespace Varnik
