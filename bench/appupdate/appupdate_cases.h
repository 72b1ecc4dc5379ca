// Documents and local lists shared by the update-information benchmarks, and the two
// calls they compare: ParseAppUpdateInfo, and RapidXML's parse alone of a copy of the
// same text into a fresh document.
#ifndef VORN_BENCH_APPUPDATE_CASES_H
#define VORN_BENCH_APPUPDATE_CASES_H

#include <cstring>
#include <memory>
#include <rapidxml/rapidxml.hpp>
#include <string>
#include <vector>

#include "appupdate/appupdate_impl.h"
#include "vorn/appupdate.h"

namespace vorn_bench_appupdate {

inline std::vector<unsigned short> Wide(const std::string& ascii) {
  std::vector<unsigned short> units(ascii.begin(), ascii.end());
  units.push_back(0);
  return units;
}

struct Case {
  std::string text;
  std::vector<std::vector<unsigned short>> strings;
  std::vector<tnoticeLocal> locals;
  tnoticeLocalList list{0, nullptr};

  void AddLocal(const std::string& name, const std::string& version, int32_t is_text) {
    strings.push_back(Wide(name));
    strings.push_back(Wide(version));
    locals.push_back({nullptr, nullptr, nullptr, is_text});
  }
  void Finish() {
    for (size_t i = 0; i < locals.size(); ++i) {
      locals[i].name = strings[2 * i].data();
      locals[i].version = strings[2 * i + 1].data();
    }
    list = {static_cast<int32_t>(locals.size()), locals.data()};
  }
};

inline const Case& WorkedExample() {
  static const Case c = [] {
    Case w;
    w.text = vorn::detail::appupdate::kReferenceDocument;
    w.AddLocal("main", "1.0", 0);
    w.AddLocal("componet2", "4576edac", 1);
    w.AddLocal("componet2_3", "3.2.4.5", 0);
    w.AddLocal("componet3_1", "1.2.4.5", 0);
    w.AddLocal("file2", "23aed3", 1);
    w.Finish();
    return w;
  }();
  return c;
}

// 100 groups of 100 components, each with six attributes. The caller knows every
// tenth component; half of those are out of date. `caption` is the caption text.
inline Case Generated(const std::string& caption) {
  Case g;
  g.text = "<?xml version='1.0' encoding='utf-8' ?>\n";
  for (int group = 0; group < 100; ++group) {
    g.text += "<group" + std::to_string(group) + " caption='group'>\n";
    for (int i = 0; i < 100; ++i) {
      const std::string name = "component_" + std::to_string(group) + "_" + std::to_string(i);
      g.text += "  <" + name + " version='2." + std::to_string(i % 10) + ".3.4' caption='" + caption + "' filename='" +
                name + ".dll' link='https://example.invalid/" + name +
                ".zip' rlpath='SYSTEMP' upmethod='silentdown'/>\n";
      if (i % 10 == 0) g.AddLocal(name, (i % 20 == 0) ? "1.0" : "9.0", 0);
    }
    g.text += "</group" + std::to_string(group) + ">\n";
  }
  g.Finish();
  return g;
}

inline const Case& Generated10k() {
  static const Case c = Generated("Component caption");
  return c;
}

inline const Case& Generated10kUtf8() {
  static const Case c = Generated(
      "Komponente \xC3\xBC"
      "ber \xE7\xBB\x84\xE4\xBB\xB6");
  return c;
}

// Both return a pointer so that a paired timer can keep the result alive.
inline int32_t ParseAndFree(const Case& c) {
  tnoticeItemList* list = ParseAppUpdateInfo(c.text.c_str(), 0, &c.list);
  const int32_t count = list != nullptr ? list->count : 0;
  ParseAppUpdateInfo_free(list);
  return count;
}

inline const void* CopyAndParseWithRapidXml(const Case& c) {
  const size_t n = std::strlen(c.text.c_str());
  std::unique_ptr<char[]> copy(new char[n + 1]);
  std::memcpy(copy.get(), c.text.c_str(), n + 1);
  auto document = std::make_unique<rapidxml::xml_document<char>>();
  document->parse<0>(copy.get());
  return document->first_node();
}

}  // namespace vorn_bench_appupdate

#endif  // VORN_BENCH_APPUPDATE_CASES_H
