// vorn: shared pieces of the command-line program. Each command group lives in its own
// file and registers its subcommands on the application; the chosen command runs after
// parsing, and a Failure it throws becomes one message on stderr and exit status 2.
#ifndef VORN_TOOLS_TOOL_H
#define VORN_TOOLS_TOOL_H

#include <CLI/CLI.hpp>
#include <functional>
#include <stdexcept>
#include <string>

namespace vorn_tool {

/// Exit status of a command that could not do its work (bad input, bad arguments).
inline constexpr int kExitFailure = 2;

/// A command's action, set by the subcommand that was chosen; returns the exit status.
using Action = std::function<int()>;

/// Bad input or arguments: the message goes to stderr as "vorn: <command>: <message>".
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void AddUpdateCommands(CLI::App& app, Action& action);
void AddTextCommands(CLI::App& app, Action& action);
void AddPathCommands(CLI::App& app, Action& action);

/// The bytes of `path` ("-" reads standard input). Throws Failure when it cannot be read.
std::string ReadInput(const std::string& path);

/// UTF-8 into UTF-16 through the library (malformed bytes become U+FFFD).
std::u16string Utf8ToUtf16(const std::string& text);
/// A zero-terminated UTF-16 text into UTF-8 through the library; null gives "".
std::string Utf16ToUtf8(const unsigned short* text);

/// The library's UTF-16 unit type viewing a std::u16string's zero-terminated units.
inline const unsigned short* Units(const std::u16string& s) {
  return reinterpret_cast<const unsigned short*>(s.c_str());
}

}  // namespace vorn_tool

#endif  // VORN_TOOLS_TOOL_H
