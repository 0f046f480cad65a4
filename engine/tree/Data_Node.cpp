#include "engine/tree/Data_Node.h"

#include "lib/Path.h"

namespace Vn
{

Data_Node::Data_Node(const char* name) : mName(name) {}

Data_Node::~Data_Node() = default;

const char* Data_Node::GetName_Relative() const
{
    const auto separator = mName.rfind(TrovLib::SEPARATOR);
    return separator == std::string::npos ? mName.c_str() : mName.c_str() + separator + 1;
}

} // namespace Vn
