// vorn update-check: which components of an update-information document need updating,
// judged against a list of installed components.
#include <vorn/appupdate.h>

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tool.h"

namespace vorn_tool {

// The bundled sample document and installed list (generated from tools/samples/).
extern const char kSampleDocument[];
extern const char kSampleInstalled[];

namespace {

// ---- encodings -----------------------------------------------------------------------

// Text files come as UTF-8, with or without a byte-order mark. UTF-16 is refused plainly:
// read as UTF-8 it would look empty or garbled rather than wrong.
std::string_view WithoutBom(std::string_view text, const std::string& label) {
  const auto starts = [&](const char* bytes, size_t n) {
    return text.size() >= n && text.compare(0, n, bytes, n) == 0;
  };
  if (starts("\xEF\xBB\xBF", 3)) return text.substr(3);
  const bool utf16 =
      starts("\xFF\xFE", 2) || starts("\xFE\xFF", 2) || (text.size() >= 2 && (text[0] == 0) != (text[1] == 0));
  if (utf16) throw Failure(label + " is UTF-16, which is not supported; convert it to UTF-8 first");
  return text;
}

// ---- installed list ------------------------------------------------------------------

struct InstalledEntry {
  std::u16string name;
  std::u16string version;
  std::u16string extra;
  bool has_version = false;
  bool has_extra = false;
  int32_t version_is_text = 0;
};

// Owns the entries and the tnoticeLocal array that points into them.
class InstalledList {
 public:
  void Add(InstalledEntry entry) { entries_.push_back(std::move(entry)); }

  const tnoticeLocalList* Build() {
    locals_.clear();
    for (const InstalledEntry& e : entries_) {
      locals_.push_back({Units(e.name), e.has_extra ? Units(e.extra) : nullptr,
                         e.has_version ? Units(e.version) : nullptr, e.version_is_text});
    }
    list_.count = static_cast<int32_t>(locals_.size());
    list_.items = locals_.data();
    return &list_;
  }

 private:
  std::vector<InstalledEntry> entries_;
  std::vector<tnoticeLocal> locals_;
  tnoticeLocalList list_{0, nullptr};
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Splits off the next blank-separated word of `line` starting at `pos`.
std::string NextWord(const std::string& line, size_t& pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  const size_t start = pos;
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

// One component per line: NAME VERSION [number|text] [EXTRA...]; "#" starts a comment.
void ParseInstalledText(const std::string& text, const std::string& label, InstalledList& list) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    size_t pos = 0;
    const std::string name = NextWord(line, pos);
    if (name.empty() || name[0] == '#') continue;
    const auto where = [&] { return label + ", line " + std::to_string(number) + ": "; };
    const std::string version = NextWord(line, pos);
    if (version.empty())
      throw Failure(where() + "expected NAME VERSION [number|text] [EXTRA], found only " + Quoted(name));
    InstalledEntry entry;
    entry.name = Utf8ToUtf16(name);
    entry.has_version = version != "-";
    if (entry.has_version) entry.version = Utf8ToUtf16(version);
    const std::string kind = NextWord(line, pos);
    if (kind == "text") {
      entry.version_is_text = 1;
    } else if (!kind.empty() && kind != "number") {
      throw Failure(where() + "the version kind is 'number' or 'text', not " + Quoted(kind));
    }
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    size_t end = line.size();
    while (end > pos && IsBlank(line[end - 1])) --end;
    if (end > pos) {
      entry.has_extra = true;
      entry.extra = Utf8ToUtf16(line.substr(pos, end - pos));
    }
    list.Add(std::move(entry));
  }
}

// A JSON array of {"name", "version", "versionIsText", "extra"} objects.
void ParseInstalledJson(const std::string& text, const std::string& label, InstalledList& list) {
  nlohmann::json doc;
  try {
    doc = nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    throw Failure(label + ": not valid JSON (at byte " + std::to_string(e.byte) + ")");
  }
  if (!doc.is_array()) throw Failure(label + ": expected a JSON array of components");
  for (size_t i = 0; i < doc.size(); ++i) {
    const nlohmann::json& item = doc[i];
    const std::string where = label + ", component " + std::to_string(i + 1) + ": ";
    if (!item.is_object()) throw Failure(where + "expected an object");
    const auto text_field = [&](const char* key, std::u16string& out, bool& present) {
      const auto it = item.find(key);
      present = it != item.end() && !it->is_null();
      if (!present) return;
      if (!it->is_string()) throw Failure(where + "\"" + key + "\" must be a string or null");
      out = Utf8ToUtf16(it->get<std::string>());
    };
    InstalledEntry entry;
    bool has_name = false;
    text_field("name", entry.name, has_name);
    if (!has_name || entry.name.empty()) throw Failure(where + "\"name\" must be a non-empty string");
    text_field("version", entry.version, entry.has_version);
    text_field("extra", entry.extra, entry.has_extra);
    const auto kind = item.find("versionIsText");
    if (kind != item.end()) {
      if (kind->is_boolean()) {
        entry.version_is_text = kind->get<bool>() ? 1 : 0;
      } else if (kind->is_number_integer()) {
        entry.version_is_text = kind->get<int64_t>() != 0 ? 1 : 0;
      } else {
        throw Failure(where + "\"versionIsText\" must be true, false or a number");
      }
    }
    list.Add(std::move(entry));
  }
}

void ParseInstalled(std::string_view bytes, const std::string& label, InstalledList& list) {
  const std::string text(WithoutBom(bytes, label));
  size_t first = 0;
  while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  if (first < text.size() && (text[first] == '[' || text[first] == '{')) {
    ParseInstalledJson(text, label, list);
  } else {
    ParseInstalledText(text, label, list);
  }
}

// ---- the report ------------------------------------------------------------------------

struct ResultDeleter {
  void operator()(tnoticeItemList* list) const { ParseAppUpdateInfo_free(list); }
};
using Result = std::unique_ptr<tnoticeItemList, ResultDeleter>;

// A value as it is, or quoted with escapes when it is empty or holds blanks, quotes,
// backslashes or control characters.
std::string Shown(const std::string& value) {
  bool plain = !value.empty();
  for (unsigned char c : value) {
    if (c <= ' ' || c == '"' || c == 0x7F) plain = false;
  }
  if (plain) return value;
  std::string out = "\"";
  for (unsigned char c : value) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < ' ' || c == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

const char* MethodName(int32_t method) {
  switch (method) {
    case 1:
      return "silentdown";
    case 2:
      return "silentexe";
    default:
      return nullptr;
  }
}

void PrintRecords(std::ostream& out, const tnoticeItem* items, int32_t count, int depth) {
  for (int32_t i = 0; i < count; ++i) {
    const tnoticeItem& item = items[i];
    out << std::string(static_cast<size_t>(depth) * 2, ' ');
    const std::string name = Utf16ToUtf8(item.name);
    out << (name.empty() ? "#text" : Shown(name));
    const auto field = [&out](const char* key, const unsigned short* value) {
      if (value != nullptr) out << ' ' << key << '=' << Shown(Utf16ToUtf8(value));
    };
    field("version", item.version);
    field("installed", item.localVersion);
    field("file", item.filename);
    field("link", item.link);
    field("path", item.rlpath);
    if (item.upmethod != 0) {
      const char* method = MethodName(item.upmethod);
      out << " method=" << (method != nullptr ? method : std::to_string(item.upmethod));
    }
    field("extra", item.extra);
    field("caption", item.caption);
    out << '\n';
    PrintRecords(out, item.children, item.childCount, depth + 1);
  }
}

nlohmann::ordered_json RecordsJson(const tnoticeItem* items, int32_t count) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (int32_t i = 0; i < count; ++i) {
    const tnoticeItem& item = items[i];
    const auto text = [](const unsigned short* value) -> nlohmann::ordered_json {
      if (value == nullptr) return nullptr;
      return Utf16ToUtf8(value);
    };
    nlohmann::ordered_json record = nlohmann::ordered_json::object();
    record["name"] = text(item.name);
    record["version"] = text(item.version);
    record["localVersion"] = text(item.localVersion);
    record["filename"] = text(item.filename);
    record["rlpath"] = text(item.rlpath);
    record["link"] = text(item.link);
    record["upmethod"] = item.upmethod;
    record["caption"] = text(item.caption);
    record["extra"] = text(item.extra);
    record["versionIsText"] = item.versionIsText;
    record["children"] = RecordsJson(item.children, item.childCount);
    array.push_back(std::move(record));
  }
  return array;
}

// ---- the command -----------------------------------------------------------------------

struct UpdateCheckOptions {
  std::string document;
  std::string installed;
  bool json = false;
};

// The document's parse, or a Failure that says where and why it was rejected.
Result Parse(std::string_view document, const std::string& file, const tnoticeLocalList* installed) {
  if (document.size() > UINT32_MAX) throw Failure(file + " is too large (more than 4 GiB)");
  tnoticeParseOutcome outcome{};
  Result result(ParseAppUpdateInfoEx(document.data(), static_cast<uint32_t>(document.size()), installed, &outcome));
  switch (outcome.status) {
    case NOTICE_PARSE_MALFORMED:
      throw Failure(Escaped(file) + ":" + std::to_string(outcome.errorLine) + ":" +
                        std::to_string(outcome.errorColumn) + ": " + outcome.errorMessage,
                    kExitFailure, true);
    case NOTICE_PARSE_NO_MEMORY:
      throw Failure(file + " is too large for the memory available");
    default:
      return result;
  }
}

int RunUpdateCheck(const UpdateCheckOptions& options) {
  const bool bundled = options.document.empty();
  if (bundled && !options.installed.empty()) {
    throw Failure("--installed FILE goes with a DOCUMENT (without both, the bundled sample is checked)");
  }
  if (!bundled && options.installed.empty()) {
    throw Failure("--installed FILE is needed with a DOCUMENT (without both, the bundled sample is checked)");
  }

  InstalledList installed;
  if (bundled) {
    ParseInstalled(kSampleInstalled, "the bundled installed list", installed);
  } else {
    const Input list(options.installed);
    ParseInstalled(std::string_view(list.data(), list.size()), list.label(), installed);
  }

  Result result;
  if (bundled) {
    result = Parse(kSampleDocument, "the bundled sample document", installed.Build());
  } else {
    const Input input(options.document);
    const std::string_view document = WithoutBom(std::string_view(input.data(), input.size()), input.label());
    if (document.find_first_not_of(" \t\r\n") == std::string_view::npos) throw Failure(input.label() + " is empty");
    // The parser copies the text first: a stray zero byte would end that copy early.
    if (document.find('\0') != std::string_view::npos) {
      throw Failure(input.label() + " holds a zero byte at offset " + std::to_string(document.find('\0')));
    }
    // The whole text goes to the parser, mark and all, so that offsets count from the file's start.
    result = Parse(std::string_view(input.data(), input.size()), options.document == "-" ? "<stdin>" : options.document,
                   installed.Build());
  }

  const bool updates = result != nullptr && result->count > 0;
  std::ostringstream out;
  if (options.json) {
    nlohmann::ordered_json report = nlohmann::ordered_json::object();
    report["components"] = updates ? RecordsJson(result->items, result->count) : nlohmann::ordered_json::array();
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  } else if (updates) {
    PrintRecords(out, result->items, result->count, 0);
  } else {
    out << "Nothing needs updating.\n";
  }
  result.reset();
  WriteOut(out.str());
  return updates ? 1 : 0;
}

}  // namespace

void AddUpdateCommands(CLI::App& app, Action& action) {
  auto options = std::make_shared<UpdateCheckOptions>();
  CLI::App* cmd = app.add_subcommand("update-check", "List the components of an update document that need updating");
  cmd->footer(
      "Usage: vorn update-check [--json] DOCUMENT --installed FILE\n"
      "       vorn update-check [--json]     (the bundled sample document and installed list)\n"
      "DOCUMENT and --installed go together: without both, the bundled samples are checked.\n"
      "The installed list has one component per line, NAME VERSION [number|text] [EXTRA...]\n"
      "(VERSION - : never judged by version; # starts a comment), or is a JSON array of\n"
      "{\"name\", \"version\", \"versionIsText\", \"extra\"} objects.\n"
      "Exit status: 0 nothing needs updating, 1 updates listed, 2 error.");
  cmd->add_option("DOCUMENT", options->document, "Update-information document, UTF-8 XML (- reads stdin)")
      ->type_name("");
  cmd->add_option("--installed", options->installed, "Installed components (text lines or JSON, see below)")
      ->type_name("FILE");
  cmd->add_flag("--json", options->json, "Print one JSON document instead of the tree");
  cmd->callback([options, &action] { action = [options] { return RunUpdateCheck(*options); }; });
}

}  // namespace vorn_tool
