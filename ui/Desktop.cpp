#include "ui/Desktop.h"

namespace Varnik
{

Desktop::~Desktop() = default;

} // namespace Varnik
