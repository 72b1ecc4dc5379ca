// do_appudpateparser_unittest: the parser run over built-in sample documents, each
// result compared field by field with the tree it must give.
#include <string>
#include <vector>

#include "appupdate/appupdate_impl.h"
#include "platform/tempdir.h"

namespace vorn::detail::appupdate {
namespace {

// Marks an rlpath that must read as the temporary directory followed by "nublo\".
const char kTempFolder[] = "<temp folder>";

struct Expected {
  const char* name;
  const char* version;
  const char* local_version;
  const char* filename;
  const char* rlpath;
  const char* link;
  int32_t upmethod;
  const char* caption;
  const char* extra;
  int32_t version_is_text;
  int32_t child_count;
  const Expected* children;
};

struct LocalEntry {
  const char* name;
  const char* extra;
  const char* version;
  int32_t version_is_text;
};

struct Sample {
  const char* document;
  std::vector<LocalEntry> locals;
  std::vector<Expected> result;  // empty: the parser must return null
};

class Checker {
 public:
  bool Run(const Sample& sample) {
    // The local list in UTF-16, built from the sample's UTF-8 texts.
    std::vector<OwnedArray<unsigned short>> storage;
    auto wide = [&](const char* text) -> const unsigned short* {
      if (text == nullptr) return nullptr;
      storage.emplace_back(convert_.NewString(text));
      return storage.back().get();
    };
    std::vector<tnoticeLocal> locals;
    for (const LocalEntry& l : sample.locals) {
      locals.push_back(tnoticeLocal{wide(l.name), wide(l.extra), wide(l.version), l.version_is_text});
    }
    const tnoticeLocalList list{static_cast<int32_t>(locals.size()), locals.data()};
    tnoticeItemList* got = ParseAppUpdateInfo(sample.document, 0, &list);
    bool ok;
    if (sample.result.empty()) {
      ok = got == nullptr;
    } else {
      ok = got != nullptr && got->count == static_cast<int32_t>(sample.result.size()) &&
           Same(got->items, sample.result.data(), got->count);
    }
    ParseAppUpdateInfo_free(got);
    return ok;
  }

 private:
  bool Same(const unsigned short* got, const char* want) {
    if (want == nullptr) return got == nullptr;
    if (got == nullptr) return false;
    std::string text;
    text.assign(want);
    if (want == kTempFolder) {
      if (!platform::temp_directory(text)) return false;
      text += "nublo\\";
    }
    size_t n = 0;
    const unsigned short* units = convert_.Convert(text.c_str(), &n);
    for (size_t i = 0; i <= n; ++i) {
      if (got[i] != units[i]) return false;
    }
    return true;
  }

  bool Same(const tnoticeItem* got, const Expected* want, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
      const tnoticeItem& g = got[i];
      const Expected& w = want[i];
      if (!Same(g.name, w.name) || !Same(g.version, w.version) || !Same(g.localVersion, w.local_version) ||
          !Same(g.filename, w.filename) || !Same(g.rlpath, w.rlpath) || !Same(g.link, w.link) ||
          g.upmethod != w.upmethod || !Same(g.caption, w.caption) || !Same(g.extra, w.extra) ||
          g.versionIsText != w.version_is_text || g.childCount != w.child_count) {
        return false;
      }
      if ((g.children == nullptr) != (w.child_count == 0)) return false;
      if (w.child_count > 0 && !Same(g.children, w.children, w.child_count)) return false;
    }
    return true;
  }

  Utf8ToWide convert_;
};

}  // namespace

// Five components, four of them reported against the local list of the first sample.
extern const char kReferenceDocument[] =
    "<?xml version='1.0' encoding='utf-8' ?>"
    "<main version='1.1' caption='mainapp-caption' filename='mainapp.exe' link='mainapp.link'> </main>"
    "<componet2 version='34576ead'>"
    "<componet2_1 version='1.2.3.4' caption='c21' filename='c21.dll' link='c21.link'/>"
    "<componet2_2 caption='c22' filename='c22.dll' link='c22.link'/>"
    "<componet2_3 version='3.2.4.5' caption='c23' filename='c23.dll' link='c23.link'/>"
    "</componet2>"
    "<componet3><componet3_1 version='1.3.3.4'/></componet3>"
    "<componet4 caption='c4'>"
    "<file version='3645ea3d' rlpath='dlls' upmethod='silentdown'/>"
    "<file2 version='9725ea3d' caption='file2-caption' filename='file2.exe' link='file2.link' rlpath='SYSTEMP'"
    " upmethod='silentexe'/>"
    "</componet4>"
    "<componet5><componet5_1 version=''/></componet5>";

namespace {

const Expected kComponet2Children[] = {
    {"componet2_1", "1.2.3.4", nullptr, "c21.dll", nullptr, "c21.link", 0, "c21", nullptr, 0, 0, nullptr},
    {"componet2_2", nullptr, nullptr, "c22.dll", nullptr, "c22.link", 0, "c22", nullptr, 0, 0, nullptr},
};
const Expected kComponet3Children[] = {
    {"componet3_1", "1.3.3.4", "1.2.4.5", nullptr, nullptr, nullptr, 0, nullptr, nullptr, 0, 0, nullptr},
};
const Expected kComponet4Children[] = {
    {"file2", "9725ea3d", "23aed3", "file2.exe", kTempFolder, "file2.link", 2, "file2-caption", nullptr, 1, 0, nullptr},
};

// Attribute names in any case, entities, upmethod values, and text children carried by
// a parent that needs updating.
const char kAttributesDocument[] =
    "\xEF\xBB\xBF<!-- packaged build -->"
    "<app VERSION=\"2.0\" Caption=\"A &amp; B &#x41;\" UPMETHOD=\"SilentDown\" rlpath=\"systemp\" extra=\"x\">"
    "notes<![CDATA[<raw>]]><sub link='s&lt;1&gt;'/></app>";

const Expected kAppChildren[] = {
    {"", nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, 0, 0, nullptr},
    {"", nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, 0, 0, nullptr},
    {"sub", nullptr, nullptr, nullptr, nullptr, "s<1>", 0, nullptr, nullptr, 0, 0, nullptr},
};

// A matched component without a version is only the way down to a reported child, and
// passes no flag to its other children.
const char kWayDownDocument[] =
    "<suite caption='Suite'><tool version='5' upmethod='silentexe'><plug/></tool><doc version='9'/></suite>";

const Expected kToolChildren[] = {
    {"plug", nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, 0, 0, nullptr},
};
const Expected kSuiteChildren[] = {
    {"tool", "5", "4", nullptr, nullptr, nullptr, 2, nullptr, "tools", 0, 1, kToolChildren},
};

}  // namespace
}  // namespace vorn::detail::appupdate

extern "C" int do_appudpateparser_unittest(void) {
  using namespace vorn::detail::appupdate;
  const Sample samples[] = {
      {kReferenceDocument,
       {{"main", nullptr, "1.0", 0},
        {"componet2", nullptr, "4576edac", 1},
        {"componet2_3", nullptr, "3.2.4.5", 0},
        {"componet3_1", nullptr, "1.2.4.5", 0},
        {"file2", nullptr, "23aed3", 1}},
       {{"main", "1.1", "1.0", "mainapp.exe", nullptr, "mainapp.link", 0, "mainapp-caption", nullptr, 0, 0, nullptr},
        {"componet2", "34576ead", "4576edac", nullptr, nullptr, nullptr, 0, nullptr, nullptr, 1, 2, kComponet2Children},
        {"componet3", nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, 0, 1, kComponet3Children},
        {"componet4", nullptr, nullptr, nullptr, nullptr, nullptr, 0, "c4", nullptr, 0, 1, kComponet4Children}}},
      {kAttributesDocument,
       {{"app", "installed", "1.9.9.9", 0}},
       {{"app", "2.0", "1.9.9.9", nullptr, "systemp", nullptr, 1, "A & B A", "installed", 0, 3, kAppChildren}}},
      {kWayDownDocument,
       {{"suite", nullptr, nullptr, 0}, {"tool", "tools", "4", 0}},
       {{"suite", nullptr, nullptr, nullptr, nullptr, nullptr, 0, "Suite", nullptr, 0, 1, kSuiteChildren}}},
      // Every matched component is current: nothing to report.
      {kReferenceDocument,
       {{"main", nullptr, "1.1", 0},
        {"componet2", nullptr, "34576ead", 1},
        {"componet3", nullptr, "", 1},
        {"componet4", nullptr, "2", 0},
        {"componet5", nullptr, "0.0", 0}},
       {}},
  };
  Checker checker;
  bool all = true;
  for (const Sample& sample : samples) all = checker.Run(sample) && all;
  return all ? 1 : 0;
}
