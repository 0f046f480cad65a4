#include "ui/Desktop_Qt.h"

#include "ui/LocalText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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

constexpr int WATCH_INTERVAL_MS = 250;
constexpr size_t OUTPUT_LINE_MAX = 200;

// A started program, awaited by polling, as Qt gives no signal for a child it did not
// start. It goes once the program has ended; at exit the application deletes it and the
// program runs on.
class ProgramWatch : public QObject
{
public:
    ProgramWatch(Desktop& desktop, QString program, pid_t child, int output)
        : QObject(QApplication::instance()), mDesktop(desktop), mProgram(std::move(program)),
          mChild(child), mOutput(output)
    {
        connect(&mTimer, &QTimer::timeout, this, &ProgramWatch::Poll);
        mTimer.start(WATCH_INTERVAL_MS);
    }
    ~ProgramWatch() override
    {
        if (mOutput >= 0)
            close(mOutput);
    }

private:
    void Poll()
    {
        int status = 0;
        const pid_t ended = waitpid(mChild, &status, WNOHANG);
        if (ended == 0)
            return;
        mTimer.stop();
        if (ended == mChild && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
            mDesktop.ShowMessage(
                "ShellExecute failed\n" + Failure(status).toLocal8Bit().toStdString(), "Error");
        deleteLater();
    }

    // "kate exited with status 1: kate: Unknown option 'x'."
    QString Failure(int status) const
    {
        QString failure =
            WIFEXITED(status)
                ? QString("%1 exited with status %2").arg(mProgram).arg(WEXITSTATUS(status))
                : QString("%1 ended by signal %2").arg(mProgram).arg(WTERMSIG(status));
        const QString line = FirstLine();
        return line.isEmpty() ? failure : failure + ": " + line;
    }

    QString FirstLine() const
    {
        char text[OUTPUT_LINE_MAX];
        const ssize_t size = mOutput >= 0 ? pread(mOutput, text, sizeof text, 0) : 0;
        if (size <= 0)
            return {};
        const QByteArray bytes(text, size);
        return QString::fromLocal8Bit(bytes.left(bytes.indexOf('\n'))).trimmed();
    }

    Desktop& mDesktop;
    QString mProgram;
    pid_t mChild;
    int mOutput; // the program's output, an unnamed file; -1 for none
    QTimer mTimer;
};

struct Spawned
{
    pid_t mChild = -1;
    int mOutput = -1;
    int mError = 0; // why the program could not start
};

// Starts the program by its name on the PATH, reading nothing and writing both its
// streams into an unnamed file.
Spawned Program_Spawn(const QStringList& arguments)
{
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments)
        bytes.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    Spawned spawned;
    spawned.mOutput =
        open(QFile::encodeName(QDir::tempPath()).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (spawned.mOutput >= 0)
    {
        posix_spawn_file_actions_adddup2(&actions, spawned.mOutput, 1);
        posix_spawn_file_actions_adddup2(&actions, spawned.mOutput, 2);
    }
    spawned.mError =
        posix_spawnp(&spawned.mChild, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned.mError != 0 && spawned.mOutput >= 0)
        close(spawned.mOutput);
    return spawned;
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
// folder in the file browser.
QString Desktop_Qt::ShellExecute(const char* /*verb*/, const std::string& path)
{
    return StartProgram({"xdg-open", QString::fromLatin1(FileUrl(path).toEncoded())});
}

// The program is watched until it ends, since it may start and still fail; what it
// prints tells why. It is never killed: an editor may well outlive the window.
QString Desktop_Qt::StartProgram(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return "no program given";
    const QString program = arguments.front();
    const Spawned spawned = Program_Spawn(arguments);
    if (spawned.mError != 0)
        return QString("%1: %2").arg(program,
                                     QString::fromLocal8Bit(std::strerror(spawned.mError)));
    new ProgramWatch(*this, program, spawned.mChild, spawned.mOutput);
    return {};
}

} // namespace Varnik
