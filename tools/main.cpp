// vorn: the command-line face of vorn_common. Parses the command line, runs the chosen
// command, and turns every failure into one message on stderr and a non-zero status.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tool.h"
#include "vorn/charset.h"

namespace vorn_tool {

std::string ReadInput(const std::string& path) {
  const bool standard_input = path == "-";
  const std::string label = standard_input ? "standard input" : "'" + path + "'";
  errno = 0;
  FILE* file = standard_input ? stdin : std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw Failure("cannot read " + label + ": " + std::strerror(errno));
  std::string bytes;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, n);
  const int error = std::ferror(file) ? errno : 0;
  if (!standard_input) std::fclose(file);
  if (error != 0) throw Failure("cannot read " + label + ": " + std::strerror(error));
  return bytes;
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
  std::cerr << "vorn: " << (command.empty() ? "" : command + ": ") << message << '\n';
}

int Run(int argc, char** argv) {
  CLI::App app{"vorn: update checks, character sets, similarity, formatting and paths with vorn_common.", "vorn"};
  app.set_version_flag("--version", "vorn " VORN_VERSION " (vorn_common " VORN_VERSION ")");
  app.require_subcommand(1);
  app.fallthrough(false);

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
      Complain("", "unknown command '" + std::string(argv[1]) + "' (commands: " + names + ")");
      return kExitFailure;
    }
    std::string hint = command.empty() ? "vorn --help" : "vorn " + command + " --help";
    Complain(command, std::string(e.what()) + " (see '" + hint + "')");
    return kExitFailure;
  }

  try {
    return action ? action() : kExitFailure;
  } catch (const Failure& e) {
    Complain(ChosenCommand(app), e.what());
    return kExitFailure;
  }
}

}  // namespace
}  // namespace vorn_tool

int main(int argc, char** argv) {
  try {
    return vorn_tool::Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fputs("vorn: out of memory\n", stderr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn: %s\n", e.what());
  }
  return vorn_tool::kExitFailure;
}
