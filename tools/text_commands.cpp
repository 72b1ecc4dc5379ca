// vorn convert, vorn similar and vorn format: character sets, similarity measures and
// the library's formatting engine.
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

#include "format/sprintf_impl.h"
#include "tool.h"
#include "vorn/charset.h"
#include "vorn/similar.h"

namespace vorn_tool {
namespace {

// ---- convert ---------------------------------------------------------------------------

struct ConvertOptions {
  std::string from;
  std::string to;
  std::string file = "-";
};

// A character-set name that ICU knows: opening its converter on an empty text succeeds.
void CheckCharset(const std::string& name) {
  if (name.empty()) throw Failure("a character set name is needed");
  const unsigned short empty[1] = {0};
  char out[8];
  if (StrUnicodeToAny(name.c_str(), out, sizeof out, empty) < 0) {
    throw Failure("unknown character set '" + name + "'");
  }
}

int RunConvert(const ConvertOptions& options) {
  CheckCharset(options.from);
  CheckCharset(options.to);
  const std::string input = ReadInput(options.file);
  if (input.size() > static_cast<size_t>(INT32_MAX) / 4) throw Failure("the input is too large");
  std::string output;
  if (!input.empty()) {
    // Four bytes per input byte cover every pair of sets but the rarest; the library
    // answers with the size it needs when they do not.
    uint32_t capacity = static_cast<uint32_t>(input.size()) * 4 + 16;
    for (int attempt = 0; attempt < 2; ++attempt) {
      output.assign(capacity, '\0');
      const int n = AnyToAny(options.to.c_str(), options.from.c_str(), output.data(), capacity, input.data(),
                             static_cast<int32_t>(input.size()));
      if (n < 0) throw Failure("the conversion failed");
      if (static_cast<uint32_t>(n) <= capacity) {
        output.resize(static_cast<size_t>(n));
        break;
      }
      capacity = static_cast<uint32_t>(n) + 1;
    }
  }
  if (std::fwrite(output.data(), 1, output.size(), stdout) != output.size() || std::fflush(stdout) != 0) {
    throw Failure("cannot write the output");
  }
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

namespace vd = vorn::detail;

// What the engine asks its argument source for, in order.
enum class ArgKind { kInt32, kInt64, kPointer, kReal, kText, kOwnedText, kCountTarget, kSpan };

// An argument source that hands out nothing and notes what was asked. The engine takes
// the same arguments whatever their values, so a dry run tells the kinds of a format.
class ProbeSource {
 public:
  int32_t Int32() { return Note(ArgKind::kInt32, 0); }
  int64_t Int64() { return Note(ArgKind::kInt64, 0); }
  uint64_t PointerBits() { return Note(ArgKind::kPointer, 0u); }
  double Real() { return Note(ArgKind::kReal, 0.0); }
  const char* Text() { return Note<const char*>(ArgKind::kText, nullptr); }
  char* OwnedText() { return Note<char*>(ArgKind::kOwnedText, nullptr); }
  int32_t* CountTarget() { return Note<int32_t*>(ArgKind::kCountTarget, nullptr); }
  const vd::SprintfTextSpan<char>* Span() { return Note<const vd::SprintfTextSpan<char>*>(ArgKind::kSpan, nullptr); }

  const std::vector<ArgKind>& kinds() const { return kinds_; }

 private:
  template <class T>
  T Note(ArgKind kind, T value) {
    kinds_.push_back(kind);
    return value;
  }
  std::vector<ArgKind> kinds_;
};

// Runs the engine over an accumulator of its own; the text and the engine's result.
template <class Source>
std::string RunEngine(const char* format, Source& source, int32_t& result) {
  char base[vd::kSprintfBaseSize];
  vd::SprintfAccumulator<char> acc{base, base, 0, 0, vd::kSprintfBaseSize, &vd::SprintfGrowT<char>};
  {
    vd::SprintfEngine<char, Source> engine(acc, source);
    result = engine.Run(format);
  }
  std::string text(acc.text, static_cast<size_t>(acc.length));
  if (acc.text != acc.base) delete[] acc.text;
  return text;
}

std::string Describe(size_t index, const std::string& arg) {
  return "argument " + std::to_string(index + 1) + " ('" + arg + "')";
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

struct FormatOptions {
  std::string format;
  std::vector<std::string> args;
  bool no_newline = false;
};

int RunFormat(const FormatOptions& o) {
  int32_t probe_result = 0;
  ProbeSource probe;
  RunEngine(o.format.c_str(), probe, probe_result);

  size_t wanted = 0;
  for (ArgKind kind : probe.kinds()) wanted += kind != ArgKind::kCountTarget;
  if (wanted != o.args.size()) {
    throw Failure("the format takes " + std::to_string(wanted) + " argument" + (wanted == 1 ? "" : "s") + ", " +
                  std::to_string(o.args.size()) + " given");
  }

  // Everything the arguments point at lives until the engine is done.
  std::vector<int32_t> counts(probe.kinds().size());
  std::vector<vd::SprintfTextSpan<char>> spans(probe.kinds().size());
  vd::FormatArgs args;
  struct OwnedReleaser {
    vd::FormatArgs& args;
    ~OwnedReleaser() {
      for (vd::FormatArg& a : args) {
        if (a.kind == vd::FormatArg::Kind::kOwned && !a.taken) delete[] static_cast<const char*>(a.pointer);
      }
    }
  } releaser{args};

  size_t next = 0;
  for (size_t i = 0; i < probe.kinds().size(); ++i) {
    const ArgKind kind = probe.kinds()[i];
    if (kind == ArgKind::kCountTarget) {
      args.push_back(vd::FormatArg::Count(&counts[i]));
      continue;
    }
    const size_t index = next++;
    const std::string& arg = o.args[index];
    switch (kind) {
      case ArgKind::kInt32:
        args.push_back(vd::FormatArg::Int(IntegerArg(index, arg, false)));
        break;
      case ArgKind::kInt64:
      case ArgKind::kPointer:
        args.push_back(vd::FormatArg::Int(IntegerArg(index, arg, true)));
        break;
      case ArgKind::kReal:
        args.push_back(vd::FormatArg::Real(RealArg(index, arg)));
        break;
      case ArgKind::kText:
        args.push_back(vd::FormatArg::Text(arg.c_str()));
        break;
      case ArgKind::kOwnedText: {
        char* owned = new char[arg.size() + 1];
        std::memcpy(owned, arg.c_str(), arg.size() + 1);
        args.push_back(vd::FormatArg::Owned(owned));
        break;
      }
      case ArgKind::kSpan:
        if (arg.size() > INT32_MAX) throw Failure(Describe(index, "...") + " is too long");
        spans[i] = {arg.data(), static_cast<uint32_t>(arg.size()) << 1};
        args.push_back(vd::FormatArg::Span(&spans[i]));
        break;
      case ArgKind::kCountTarget:
        break;
    }
  }

  int32_t result = 0;
  vd::ArraySource<char> source(args);
  const std::string text = RunEngine(o.format.c_str(), source, result);
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (!o.no_newline) std::fputc('\n', stdout);
  if (std::fflush(stdout) != 0) throw Failure("cannot write the output");
  if (result < 0) {
    throw Failure(
        "the format ends inside a conversion or uses an unknown conversion letter; the text up to there "
        "was printed");
  }
  return 0;
}

}  // namespace

void AddTextCommands(CLI::App& app, Action& action) {
  {
    auto o = std::make_shared<ConvertOptions>();
    CLI::App* cmd = app.add_subcommand("convert", "Convert a text between character sets");
    cmd->footer(
        "NAME is an ICU converter name: UTF8, gb2312, gb18030, BIG5, Latin-9, us-ascii,\n"
        "UTF-16LE, ... Reads FILE (default: stdin) and writes to stdout.");
    cmd->add_option("--from", o->from, "Character set of the input")->required()->type_name("NAME");
    cmd->add_option("--to", o->to, "Character set of the output")->required()->type_name("NAME");
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
