#include "ui/Settings.h"

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

Vn::AnalysisOptions Settings::Options() const
{
    Vn::AnalysisOptions options;
    options.mCommonTypes = mSettings.value("options/commonTypes", false).toBool();
    options.mModernCpp = mSettings.value("options/modernCpp", false).toBool();
    options.mLanguages = mSettings.value("options/languages", false).toBool();
    if (mSettings.value("options/gitIgnoreRules", false).toBool())
        options.mWalk.mIgnoreRules = TrovLib::IgnoreRules::Git;
    options.mWalk.mFollowFileLinks = !mSettings.value("options/skipFileLinks", false).toBool();
    options.mSkipGenerated = mSettings.value("options/skipGenerated", false).toBool();
    options.mSkipVendored = mSettings.value("options/skipVendored", false).toBool();
    options.mSkipMinified = mSettings.value("options/skipMinified", false).toBool();
    options.mSkipLock = mSettings.value("options/skipLock", false).toBool();
    return options;
}

void Settings::SetOptions(const Vn::AnalysisOptions& options)
{
    mSettings.setValue("options/commonTypes", options.mCommonTypes);
    mSettings.setValue("options/modernCpp", options.mModernCpp);
    mSettings.setValue("options/languages", options.mLanguages);
    mSettings.setValue("options/gitIgnoreRules",
                       options.mWalk.mIgnoreRules == TrovLib::IgnoreRules::Git);
    mSettings.setValue("options/skipFileLinks", !options.mWalk.mFollowFileLinks);
    mSettings.setValue("options/skipGenerated", options.mSkipGenerated);
    mSettings.setValue("options/skipVendored", options.mSkipVendored);
    mSettings.setValue("options/skipMinified", options.mSkipMinified);
    mSettings.setValue("options/skipLock", options.mSkipLock);
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
