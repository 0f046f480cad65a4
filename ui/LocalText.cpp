#include "ui/LocalText.h"

namespace Varnik
{

QString LocalText_ToQt(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString LocalText_ToQt(const char* bytes)
{
    return QString::fromLocal8Bit(bytes);
}

std::string LocalText_FromQt(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace Varnik
