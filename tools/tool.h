// vorn: shared pieces of the command-line program. Each command group lives in its own
// file and registers its subcommands on the application; the chosen command runs after
// parsing, and a Failure it throws becomes one message on stderr and a non-zero status.
#ifndef VORN_TOOLS_TOOL_H
#define VORN_TOOLS_TOOL_H

#include <CLI/CLI.hpp>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

#include "file_system.h"

namespace vorn_tool {

/// Exit status of a command that could not do its work (bad input, bad arguments).
inline constexpr int kExitFailure = 2;

/// A command's action, set by the subcommand that was chosen; returns the exit status.
using Action = std::function<int()>;

/// The message goes to stderr as "vorn: <command>: <message>" (or "vorn: <message>" when
/// it names its own place, as FILE:LINE:COLUMN does), with exit status `status`.
class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message, int status = kExitFailure, bool located = false)
      : std::runtime_error(message), status_(status), located_(located) {}
  int status() const { return status_; }
  bool located() const { return located_; }

 private:
  int status_;
  bool located_;
};

void AddUpdateCommands(CLI::App& app, Action& action);
void AddTextCommands(CLI::App& app, Action& action);
void AddPathCommands(CLI::App& app, Action& action);

/// The bytes of a file ("-" reads standard input): a regular file is mapped, anything
/// else read once. Throws Failure when it cannot be read.
class Input {
 public:
  explicit Input(const std::string& path);
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  const char* data() const { return file_.data(); }
  size_t size() const { return file_.size(); }
  std::string text() const { return std::string(data(), size()); }
  /// How the file is named in messages: 'PATH' or "standard input".
  const std::string& label() const { return label_; }

 private:
  std::string label_;
  MappedFile file_;
};

/// `text` for a one-line message: control characters escaped (\n, \t, \xHH).
std::string Escaped(const std::string& text);
/// User input quoted for a message: escaped, cut to 200 bytes ("..." marks the cut).
std::string Quoted(const std::string& text);

/// Writes to standard output; throws Failure when the write fails.
void WriteOut(const char* data, size_t size);
inline void WriteOut(const std::string& text) { WriteOut(text.data(), text.size()); }

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
