// vorn convert, vorn similar and vorn format: character sets, similarity measures and
// the library's formatting engine.
#include <vorn/charset.h>
#include <vorn/cstr.h>
#include <vorn/format.h>
#include <vorn/similar.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "tool.h"

namespace vorn_tool {
namespace {

// ---- convert ---------------------------------------------------------------------------

struct ConvertOptions {
  std::string from;
  std::string to;
  std::string file = "-";
  std::string output;
  bool omit = false;
  bool replace = false;
  bool list = false;
};

// A character-set name that ICU knows: a conversion of nothing succeeds.
void CheckCharset(const std::string& name, const char* option) {
  if (name.empty()) throw Failure(std::string(option) + " is required");
  char out[8];
  if (Vorn_ConvertChecked(name.c_str(), "UTF8", out, sizeof out, "", 0, VORN_CONVERT_STOP, nullptr) < 0) {
    throw Failure("unknown character set " + Quoted(name) + " (see 'vorn convert --list')");
  }
}

int ListCharsets() {
  std::string names;
  for (int32_t i = 0; const char* name = Vorn_CharsetName(i); ++i) names.append(name).push_back('\n');
  WriteOut(names);
  return 0;
}

// Writes the whole text to FILE, or to standard output without one.
void WriteResult(const std::string& text, const std::string& path) {
  if (path.empty() || path == "-") return WriteOut(text);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw Failure("cannot write " + Quoted(path) + ": " + std::strerror(errno));
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int error = errno;
  if (std::fclose(file) != 0 || !written) {
    throw Failure("cannot write " + Quoted(path) + ": " + std::strerror(written ? errno : error));
  }
}

int RunConvert(const ConvertOptions& options) {
  if (options.list) return ListCharsets();
  CheckCharset(options.from, "--from");
  CheckCharset(options.to, "--to");
  if (options.omit && options.replace) throw Failure("-c and --replace exclude each other");
  const Input input(options.file);
  if (input.size() > static_cast<size_t>(INT32_MAX) / 4) throw Failure(input.label() + " is too large");
  const int32_t mode = options.omit ? VORN_CONVERT_SKIP : options.replace ? VORN_CONVERT_SUBSTITUTE : VORN_CONVERT_STOP;
  // Four bytes per input byte cover nearly every pair of sets; the count says when not.
  std::string output(input.size() * 4 + 16, '\0');
  int32_t offset = 0;
  for (;;) {
    const int32_t n = Vorn_ConvertChecked(options.to.c_str(), options.from.c_str(), output.data(),
                                          static_cast<uint32_t>(output.size()), input.data(),
                                          static_cast<int32_t>(input.size()), mode, &offset);
    if (n == VORN_CONVERT_MALFORMED) {
      throw Failure(input.label() + ": invalid " + Quoted(options.from) + " input at byte " + std::to_string(offset) +
                        " (-c omits it, --replace substitutes it)",
                    1);
    }
    if (n == VORN_CONVERT_UNMAPPABLE) {
      throw Failure(input.label() + ": the character at byte " + std::to_string(offset) + " has no form in " +
                        Quoted(options.to) + " (-c omits it, --replace substitutes it)",
                    1);
    }
    if (n < 0) throw Failure("the conversion failed");
    if (static_cast<size_t>(n) < output.size()) {
      output.resize(static_cast<size_t>(n));
      break;
    }
    output.assign(static_cast<size_t>(n) + 1, '\0');
  }
  WriteResult(output, options.output);
  return 0;
}

// ---- similar ---------------------------------------------------------------------------

struct SimilarOptions {
  std::string a;
  std::string b;
  uint32_t limit = 0;
  uint32_t threshold = 0;
};

int RunSimilar(const SimilarOptions& o) {
  TStrSimilar s;
  const char* a = o.a.c_str();
  const char* b = o.b.c_str();
  const struct {
    const char* name;
    uint32_t value;
  } rows[] = {
      {"distance", s.distance(a, b, o.limit)},
      {"similarity_proportion", s.similarity_proportion(a, b)},
      {"similarityWords_proportion", s.similarityWords_proportion(a, b)},
      {"similarity_dkl_s", s.similarity_dkl_s(a, b, o.threshold)},
      {"similarityWords_dkl", s.similarityWords_dkl(a, b, o.threshold)},
      {"similarity_InterSec", s.similarity_InterSec(a, b)},
      {"similarity_InterSecNoCase", s.similarity_InterSecNoCase(a, b)},
      {"simlarity_composite", s.simlarity_composite(a, b)},
  };
  for (const auto& row : rows) std::printf("%-27s %u\n", row.name, row.value);
  return 0;
}

// ---- format ----------------------------------------------------------------------------

std::string Describe(size_t index, const std::string& arg) {
  return "argument " + std::to_string(index + 1) + " (" + Quoted(arg) + ")";
}

// An integer argument: a C integer constant (decimal, 0x hex, 0 octal) with an optional
// sign, or a quote followed by one character, meaning that character's code.
int64_t IntegerArg(size_t index, const std::string& arg, bool wide) {
  if (arg.size() == 2 && (arg[0] == '\'' || arg[0] == '"')) return static_cast<unsigned char>(arg[1]);
  const char* begin = arg.c_str();
  char* end = nullptr;
  errno = 0;
  int64_t value;
  bool ok;
  if (!arg.empty() && arg[0] == '-') {
    const long long v = std::strtoll(begin, &end, 0);
    value = v;
    ok = wide || v >= INT32_MIN;
  } else {
    const unsigned long long v = std::strtoull(begin, &end, 0);
    value = static_cast<int64_t>(v);
    ok = wide || v <= UINT32_MAX;
  }
  if (arg.empty() || end == begin || *end != '\0') throw Failure(Describe(index, arg) + " is not an integer");
  if (errno == ERANGE || !ok) {
    throw Failure(Describe(index, arg) + " does not fit in " + (wide ? "64" : "32") + " bits");
  }
  return value;
}

double RealArg(size_t index, const std::string& arg) {
  const char* begin = arg.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (arg.empty() || end == begin || *end != '\0') throw Failure(Describe(index, arg) + " is not a number");
  return value;
}

// Why the engine stopped early: the format ends inside a conversion, or one uses a
// letter that is no conversion. Walks the directives as the engine reads them.
std::string WhyFormatStopped(const std::string& format) {
  static const std::string kLetters = "dSsgzqQwcouxXfeEGin%pT";
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    size_t j = i + 1;
    while (j < format.size() && std::strchr(" !#+-0", format[j]) != nullptr && format[j] != 0) ++j;
    while (j < format.size() && (std::isdigit(static_cast<unsigned char>(format[j])) || format[j] == '*')) ++j;
    if (j < format.size() && format[j] == '.') ++j;
    while (j < format.size() && (std::isdigit(static_cast<unsigned char>(format[j])) || format[j] == '*')) ++j;
    for (int l = 0; l < 2 && j < format.size() && format[j] == 'l'; ++l) ++j;
    if (j >= format.size()) break;
    if (kLetters.find(format[j]) == std::string::npos) {
      return "unknown conversion letter " + Quoted(std::string(1, format[j])) + " at offset " + std::to_string(j);
    }
    i = j;
  }
  return "the format ends inside a conversion";
}

struct FormatOptions {
  std::string format;
  std::vector<std::string> args;
  bool no_newline = false;
};

// Arguments for the engine, each read from its text as its conversion wants it.
class EngineArgs {
 public:
  ~EngineArgs() {
    for (vorn_format_arg& a : args_) {
      if (a.kind == VORN_FORMAT_OWNED) Vorn_FormatFree(const_cast<char*>(a.text));
    }
  }
  void Add(int32_t kind, size_t index, const std::string& arg) {
    vorn_format_arg a{};
    a.kind = kind;
    switch (kind) {
      case VORN_FORMAT_INT:
      case VORN_FORMAT_INT64:
        a.integer = IntegerArg(index, arg, kind == VORN_FORMAT_INT64);
        break;
      case VORN_FORMAT_REAL:
        a.real = RealArg(index, arg);
        break;
      case VORN_FORMAT_OWNED:
        a.text = vorn_strdupa(arg.c_str());
        break;
      case VORN_FORMAT_SPAN:
        if (arg.size() >= (1u << 31)) throw Failure(Describe(index, "...") + " is too long");
        a.text = arg.c_str();
        a.length = static_cast<uint32_t>(arg.size());
        break;
      default:
        a.text = arg.c_str();
    }
    args_.push_back(a);
  }
  void AddCount(int32_t* target) {
    vorn_format_arg a{};
    a.kind = VORN_FORMAT_COUNT;
    a.count = target;
    args_.push_back(a);
  }
  // Formats; the engine releases the owned texts, so they are no longer this object's.
  std::string Format(const std::string& format, int32_t& result) {
    std::vector<vorn_format_arg> handed;
    handed.swap(args_);
    vorn_format_report report{0, 0, nullptr, 0};
    char* text = Vorn_FormatArgs(format.c_str(), handed.data(), static_cast<uint32_t>(handed.size()), &report);
    std::string out = text;
    Vorn_FormatFree(text);
    result = report.result;
    return out;
  }

 private:
  std::vector<vorn_format_arg> args_;
};

int RunFormat(const FormatOptions& o) {
  // A run over no arguments tells what the format reads.
  std::vector<int32_t> kinds(o.format.size() + 1);
  vorn_format_report probe{0, 0, kinds.data(), static_cast<uint32_t>(kinds.size())};
  Vorn_FormatFree(Vorn_FormatArgs(o.format.c_str(), nullptr, 0, &probe));
  kinds.resize(probe.read);

  size_t wanted = 0;
  for (int32_t kind : kinds) wanted += kind != VORN_FORMAT_COUNT;
  if (wanted != o.args.size()) {
    throw Failure("the format takes " + std::to_string(wanted) + " argument" + (wanted == 1 ? "" : "s") + ", " +
                  std::to_string(o.args.size()) + " given");
  }
  std::vector<int32_t> counts(kinds.size());
  EngineArgs args;
  size_t next = 0;
  for (size_t i = 0; i < kinds.size(); ++i) {
    if (kinds[i] == VORN_FORMAT_COUNT) {
      args.AddCount(&counts[i]);
    } else {
      args.Add(kinds[i], next, o.args[next]);
      ++next;
    }
  }
  int32_t result = 0;
  std::string text = args.Format(o.format, result);
  if (!o.no_newline) text.push_back('\n');
  WriteOut(text);
  if (result < 0) throw Failure(WhyFormatStopped(o.format) + "; the text up to there was printed");
  return 0;
}

}  // namespace

void AddTextCommands(CLI::App& app, Action& action) {
  {
    auto o = std::make_shared<ConvertOptions>();
    CLI::App* cmd = app.add_subcommand("convert", "Convert a text between character sets");
    cmd->footer(
        "NAME is an ICU converter name: UTF8, gb2312, gb18030, BIG5, Latin-9, us-ascii,\n"
        "UTF-16LE, ... (--list prints them all). Reads FILE (default: stdin) and writes to\n"
        "stdout or OUT. Input that is not valid in the --from set, or a character that the\n"
        "--to set cannot hold, stops the conversion with status 1 and its byte offset,\n"
        "unless -c leaves such characters out or --replace substitutes them.");
    cmd->add_option("-f,--from", o->from, "Character set of the input")->type_name("NAME");
    cmd->add_option("-t,--to", o->to, "Character set of the output")->type_name("NAME");
    cmd->add_option("-o,--output", o->output, "Write to OUT instead of stdout")->type_name("OUT");
    cmd->add_flag("-c", o->omit, "Leave out characters that cannot be converted");
    cmd->add_flag("--replace", o->replace, "Substitute characters that cannot be converted");
    cmd->add_flag("-l,--list", o->list, "List the character sets and exit");
    cmd->add_option("FILE", o->file, "Input file (- or none: stdin)")->type_name("");
    cmd->callback([o, &action] { action = [o] { return RunConvert(*o); }; });
  }
  {
    auto o = std::make_shared<SimilarOptions>();
    CLI::App* cmd = app.add_subcommand("similar", "Print every similarity measure of two texts");
    cmd->add_option("TEXT1", o->a, "First text")->required()->type_name("");
    cmd->add_option("TEXT2", o->b, "Second text")->required()->type_name("");
    cmd->add_option("--limit", o->limit, "Early-stop limit of the distance (0: none)")->type_name("N");
    cmd->add_option("--threshold", o->threshold, "Threshold in percent of the dkl measures (0: none)")
        ->type_name("PERCENT");
    cmd->callback([o, &action] { action = [o] { return RunSimilar(*o); }; });
  }
  {
    auto o = std::make_shared<FormatOptions>();
    CLI::App* cmd = app.add_subcommand("format", "Format with the library's printf-style engine");
    cmd->footer(
        "Each ARG is read as its conversion needs: an integer for d i o u x X p c and *\n"
        "(decimal, 0x hex, or 'C for the code of the character C), a number for f e E g G,\n"
        "a text for s S z q Q w T; %n takes no ARG. Put -- before an ARG that looks like\n"
        "an option.");
    cmd->add_option("FORMAT", o->format, "Format: flags ' !#+-0', width, .precision, l or ll, letter")
        ->required()
        ->type_name("");
    cmd->add_option("ARG", o->args, "Arguments, one per conversion")->type_name("");
    cmd->add_flag("-n,--no-newline", o->no_newline, "Do not end the output with a newline");
    cmd->callback([o, &action] { action = [o] { return RunFormat(*o); }; });
  }
}

}  // namespace vorn_tool
