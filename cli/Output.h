#pragma once

#include <ostream>
#include <string_view>

namespace VarnikCli
{

// Where a command prints its answer. On a terminal, control characters in the names and
// lines that come from the tree are shown escaped ("\x1b", "\r"), so that a crafted tree
// cannot drive the terminal; to a pipe or a file every byte passes unchanged.
// Not shared between threads.
class Output
{
public:
    Output(std::ostream& stream, bool terminal) : mStream(stream), mTerminal(terminal) {}

    bool IsTerminal() const { return mTerminal; }
    std::ostream& Stream() { return mStream; }

    // Text that came from the tree: a name or a line.
    Output& Text(std::string_view text);

    // The report's own text, written as it is.
    template <class T> Output& operator<<(const T& value)
    {
        mStream << value;
        return *this;
    }

private:
    std::ostream& mStream;
    const bool mTerminal;
};

} // namespace VarnikCli
