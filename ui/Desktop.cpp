#include "ui/Desktop.h"

#include <QFile>
#include <QProcess>

namespace Varnik
{

Desktop::~Desktop() = default;

QStringList Desktop::EditorArguments(const QString& command, const std::string& path, uint64_t line)
{
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    QStringList arguments = QProcess::splitCommand(command);
    for (QString& argument : arguments)
        argument.replace("%f", file).replace("%l", QString::number(qulonglong{line}));
    return arguments;
}

bool Desktop::EditorCommand_IsBalanced(const QString& command)
{
    return command.count('"') % 2 == 0;
}

} // namespace Varnik
