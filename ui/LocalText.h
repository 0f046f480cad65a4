#pragma once

#include <QString>

#include <string>

namespace Varnik
{

// Text crosses between the windows and the engine as bytes in the locale's encoding.
// Bytes that the encoding cannot read are shown as replacement characters; the windows
// therefore never turn displayed names back into paths, but keep the engine's bytes.
QString LocalText_ToQt(const std::string& bytes);
QString LocalText_ToQt(const char* bytes);
std::string LocalText_FromQt(const QString& text);

} // namespace Varnik
