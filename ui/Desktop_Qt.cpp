#include "ui/Desktop_Qt.h"

#include "ui/LocalText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
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

std::optional<QString> Desktop_Qt::ChooseFolder(const QString& start)
{
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), {}, start);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QString> Desktop_Qt::AskText(const char* caption, const QString& label,
                                           const QString& text)
{
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(QApplication::activeWindow(), QString::fromLatin1(caption), label,
                              QLineEdit::Normal, text, &accepted);
    if (!accepted)
        return std::nullopt;
    return answer;
}

// Both verbs become xdg-open on the file URL: it opens a file with its program and a
// folder in the file browser. It is watched until it ends, since it may start and still
// fail; the opened program itself usually outlives it.
bool Desktop_Qt::ShellExecute(const char* /*verb*/, const std::string& path)
{
    auto* opener = new QProcess(QApplication::instance());
    QObject::connect(opener, &QProcess::finished,
                     [this, opener](int code, QProcess::ExitStatus status)
                     {
                         if (status != QProcess::NormalExit || code != 0)
                             ShowMessage("ShellExecute failed", "Error");
                         opener->deleteLater();
                     });
    opener->start("xdg-open", {QString::fromLatin1(FileUrl(path).toEncoded())});
    if (opener->waitForStarted())
        return true;
    opener->deleteLater();
    return false;
}

bool Desktop_Qt::StartProgram(const QStringList& arguments)
{
    return !arguments.isEmpty() && QProcess::startDetached(arguments.front(), arguments.mid(1));
}

} // namespace Varnik
