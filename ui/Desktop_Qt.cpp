#include "ui/Desktop_Qt.h"

#include "ui/LocalText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace Varnik
{

namespace
{

// A file URL built from the path's bytes, so that a name that is not valid in the
// locale's encoding still reaches the right file.
QUrl FileUrl(const std::string& path)
{
    QByteArray absolute = QByteArray::fromStdString(path);
    if (!absolute.startsWith('/'))
        absolute.prepend(QFile::encodeName(QDir::currentPath()) + '/');
    return QUrl::fromEncoded("file://" + absolute.toPercentEncoding("/"));
}

} // namespace

void Desktop_Qt::ShowMessage(const std::string& text, const char* caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(caption), LocalText_ToQt(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

std::optional<QString> Desktop_Qt::ChooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow());
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

// Both verbs become the desktop's handler of the file URL: it opens a file with its
// program and a folder in the file browser.
bool Desktop_Qt::ShellExecute(const char* /*verb*/, const std::string& path)
{
    return QDesktopServices::openUrl(FileUrl(path));
}

} // namespace Varnik
