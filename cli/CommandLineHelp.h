#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace VarnikCli
{

// Shell completions and the manual page, written from the commands and options that the
// program defines, so that they never drift from what it accepts. Built with the program.
namespace CommandLineHelp
{

// What --generate takes: "bash", "zsh", "fish" or "man".
const std::vector<std::string>& Forms();

void Write(std::ostream& out, const CLI::App& cli, const std::string& form);

} // namespace CommandLineHelp
} // namespace VarnikCli
