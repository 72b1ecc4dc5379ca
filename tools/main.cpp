// vorn: the command-line face of vorn_common. Parses the command line, runs the chosen
// command, and turns every failure into one message on stderr and a non-zero status.
#include <vorn/charset.h>
#include <vorn/runtime.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tool.h"

namespace vorn_tool {

namespace {

constexpr size_t kMaxQuoted = 200;

std::string ReadError(const std::string& label, int error) {
  return "cannot read " + label + ": " + std::strerror(error);
}

}  // namespace

Input::Input(const std::string& path) : label_(path == "-" ? "standard input" : Quoted(path)) {
  const int error = file_.Open(path);
  if (error != 0) throw Failure(ReadError(label_, error));
}

std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < ' ' || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += ch;
    }
  }
  return out;
}

std::string Quoted(const std::string& text) {
  if (text.size() <= kMaxQuoted) return "'" + Escaped(text) + "'";
  size_t cut = kMaxQuoted;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8 sequences
  return "'" + Escaped(text.substr(0, cut)) + "'...";
}

namespace {
// Set once a failed write has been reported, so that the final flush does not report it again.
bool output_failure_reported = false;
}  // namespace

void WriteOut(const char* data, size_t size) {
  if (size > 0 && std::fwrite(data, 1, size, stdout) != size) {
    output_failure_reported = true;
    throw Failure(std::string("cannot write to standard output: ") + std::strerror(errno));
  }
}

std::u16string Utf8ToUtf16(const std::string& text) {
  if (text.empty()) return {};
  // One UTF-16 unit per byte is always enough; the count excludes the terminator.
  std::u16string out(text.size() + 1, u'\0');
  const int n = StrUtf8ToUnicode(reinterpret_cast<unsigned short*>(out.data()), static_cast<uint32_t>(out.size()),
                                 text.data(), static_cast<int32_t>(text.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::string Utf16ToUtf8(const unsigned short* text) {
  if (text == nullptr || *text == 0) return {};
  size_t units = 0;
  while (text[units] != 0) ++units;
  // Three bytes per unit cover every unit, a surrogate pair included (two units, four bytes).
  std::string out(units * 3 + 1, '\0');
  const int n = StrUnicodeToUtf8(out.data(), static_cast<uint32_t>(out.size()), text);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

namespace {

std::string ChosenCommand(const CLI::App& app) {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? std::string() : chosen.front()->get_name();
}

void Complain(const std::string& command, const std::string& message) {
  std::cerr << "vorn: " << (command.empty() ? "" : command + ": ") << Escaped(message) << std::endl;
}

// What the parser did not take: an option it does not know, or one argument too many.
std::string DescribeExtras(const CLI::App& app) {
  const auto chosen = app.get_subcommands();
  const CLI::App& owner = chosen.empty() ? app : *chosen.front();
  for (const std::string& arg : owner.remaining()) {
    if (arg.size() > 1 && arg[0] == '-') return "unknown option " + Quoted(arg);
  }
  const auto rest = owner.remaining();
  return rest.empty() ? "unexpected arguments" : "unexpected argument " + Quoted(rest.front());
}

std::string VersionText() { return std::string("vorn " VORN_VERSION " (vorn_common ") + Vorn_GetVersion() + ")"; }

int Run(int argc, char** argv) {
  CLI::App app{"vorn: update checks, character sets, similarity, formatting and paths with vorn_common.", "vorn"};
  app.set_version_flag("--version", &VersionText);
  app.require_subcommand(1);
  app.fallthrough(false);
  // Paths such as "/a" are arguments on every system, never options in Windows style.
  app.allow_windows_style_options(false);

  Action action;
  AddUpdateCommands(app, action);
  AddTextCommands(app, action);
  AddPathCommands(app, action);
  // Set last: subcommands take their parent's footer when they are added.
  app.footer("Run 'vorn COMMAND --help' for the options of one command.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    const std::string command = ChosenCommand(app);
    if (command.empty() && argc > 1 && argv[1][0] != '-') {
      std::string names;
      for (const CLI::App* sub : app.get_subcommands({})) names += (names.empty() ? "" : ", ") + sub->get_name();
      Complain("", "unknown command " + Quoted(argv[1]) + " (commands: " + names + ")");
      return kExitFailure;
    }
    const std::string hint = command.empty() ? "vorn --help" : "vorn " + command + " --help";
    const bool extras = dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr;
    std::string message = extras ? DescribeExtras(app) : std::string(e.what());
    if (!extras && message.size() > 2 * kMaxQuoted) message = message.substr(0, 2 * kMaxQuoted) + "...";
    Complain(command, message + " (see '" + hint + "')");
    return kExitFailure;
  }

  try {
    return action ? action() : kExitFailure;
  } catch (const Failure& e) {
    Complain(e.located() ? "" : ChosenCommand(app), e.what());
    return e.status();
  }
}

}  // namespace
}  // namespace vorn_tool

int main(int argc, char** argv) {
  vorn_tool::UseBinaryStandardOutput();
  int status = vorn_tool::kExitFailure;
  try {
    status = vorn_tool::Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fputs("vorn: out of memory\n", stderr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn: %s\n", vorn_tool::Escaped(e.what()).c_str());
  }
  // Whatever the command printed is only known to have arrived once it is flushed.
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  if (vorn_tool::output_failure_reported) return status;
  if (!flushed || std::ferror(stdout) || !std::cout) {
    std::fprintf(stderr, "vorn: cannot write to standard output: %s\n", std::strerror(errno));
    return vorn_tool::kExitFailure;
  }
  return status;
}
