// Sequences of TStringA and TWideString operations on a small pool of strings, each
// string checked after every step against a model: whether it has a buffer, and its
// text as a std::string / std::u16string. Capacities are not modelled, only the text
// and the buffer/no-buffer state that the operations promise.
// Input: the first byte picks the width, the rest drives the operations.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "vorn/strings.h"

namespace {

void check(bool ok) {
  if (!ok) abort();
}

template <class Str>
struct Width;

template <>
struct Width<TStringA> {
  using Unit = char;
  using Text = std::string;
  // Letters, separators, blanks and bytes above 127, so that searches find something.
  static constexpr unsigned short kAlphabet[] = {'a', 'b', 'A', 'B', ' ',  '\t', '\n', '\r',
                                                 '/', '?', '.', 'x', 0xE9, 0x80, '0',  '7'};
  static constexpr bool kNarrow = true;
};

template <>
struct Width<TWideString> {
  using Unit = unsigned short;
  using Text = std::u16string;
  static constexpr unsigned short kAlphabet[] = {'a', 'b', 'A', 'B', ' ',  '\t',   '\n',   '\r',
                                                 '/', '?', '.', 'x', 0xE9, 0xFF00, 0xD800, '7'};
  static constexpr bool kNarrow = false;
};

template <class Str>
struct Model {
  using Text = typename Width<Str>::Text;
  bool buf = false;
  Text text;
};

// The text before the first zero unit, as the library reads it.
template <class Text>
Text cut(Text t) {
  size_t z = t.find(typename Text::value_type(0));
  if (z != Text::npos) t.resize(z);
  return t;
}

template <class Str>
class Run {
 public:
  using W = Width<Str>;
  using Unit = typename W::Unit;
  using Text = typename W::Text;
  using Ch = typename Text::value_type;
  static constexpr int kPool = 3;

  explicit Run(FuzzInput& in) : in_(in) {
    for (auto& s : pool_) s = std::make_unique<Str>();
  }

  void go() {
    for (int steps = 0; steps < 100 && in_.remaining_bytes() > 0; ++steps) {
      step();
      for (int i = 0; i < kPool; ++i) {
        verify(*pool_[i], model_[i]);
        // Self-appends double a text; keep the runs quick.
        if (model_[i].text.size() > 256) {
          pool_[i]->DeleteBuffer();
          model_[i] = {};
        }
      }
    }
  }

 private:
  // ---- arguments ---------------------------------------------------------------
  Text gen_text(size_t max_len = 12) {
    size_t n = in_.ConsumeIntegralInRange<size_t>(0, max_len);
    Text t;
    for (size_t i = 0; i < n; ++i) {
      t += static_cast<Ch>(W::kAlphabet[in_.ConsumeIntegral<uint8_t>() % 16]);
    }
    return t;
  }
  // A heap copy of exactly the text and its terminator.
  static std::vector<Unit> units(const Text& t) {
    std::vector<Unit> v;
    for (Ch c : t) v.push_back(static_cast<Unit>(c));
    v.push_back(0);
    return v;
  }
  int pick() { return in_.ConsumeIntegralInRange<int>(0, kPool - 1); }
  uint32_t small_or_huge() {
    uint8_t b = in_.ConsumeIntegral<uint8_t>();
    if (b >= 250) return UINT32_MAX - (b - 250);
    return b % 24;
  }
  int32_t position() {
    uint8_t b = in_.ConsumeIntegral<uint8_t>();
    if (b >= 240) return -static_cast<int32_t>(b - 239);
    if (b >= 230) return INT32_MAX - (b - 230);
    return b % 24;
  }

  static Text read(const Unit* p) {
    Text t;
    for (; *p != 0; ++p) t += static_cast<Ch>(*p);
    return t;
  }

  static void verify(Str& s, const Model<Str>& m) {
    check((s.GetBufferVar() != nullptr) == m.buf);
    check(s.GetBuffer() != nullptr);
    check(read(s.GetBuffer()) == m.text);
    check(s.Length() == m.text.size() && s.length() == m.text.size());
    check(Str::Length(s.GetBuffer()) == m.text.size());
    check(s.GetSize() == (m.text.size() + 1) * sizeof(Unit));
    check(s.IsEmpty() == m.text.empty() && s.IsNotEmpty() == !m.text.empty());
    if (!m.buf) check(s.GetCapacity() == 0);
    if (!m.text.empty()) check(s.Length() <= s.GetCapacity());
  }

  // ---- model helpers -------------------------------------------------------------
  static uint32_t clamp_pos(int32_t pos, const Text& t) {
    return pos < 0 || static_cast<uint32_t>(pos) > t.size() ? static_cast<uint32_t>(t.size())
                                                            : static_cast<uint32_t>(pos);
  }
  static void plus_assign(Model<Str>& m, const Text& add) {
    if (add.empty()) return;
    m.buf = true;
    m.text += add;
  }
  static Text widen7(const std::string& s) {
    Text t;
    for (unsigned char c : s) {
      if (c >= 128) break;
      t += static_cast<Ch>(c);
    }
    return t;
  }
  static std::string narrow7(const std::u16string& s) {
    std::string t;
    for (char16_t c : s) {
      if (c >= 128) break;
      t += static_cast<char>(c);
    }
    return t;
  }
  static Model<Str> substring_model(const Model<Str>& m, uint32_t pos, uint32_t count) {
    Model<Str> r;
    if (!m.text.empty() && pos < m.text.size()) {
      r.buf = true;
      r.text = m.text.substr(pos, count == 0 ? Text::npos : count);
    }
    return r;
  }
  static bool is_blank(Ch c, bool all) { return c == ' ' || (all && (c == '\n' || c == '\r' || c == '\t')); }
  static int unit_compare(const Text& a, const Text& b) {
    // Text compares its units as unsigned values for both widths only through the
    // traits of char16_t; narrow needs an explicit unsigned walk.
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
      uint32_t x = static_cast<std::make_unsigned_t<Ch>>(a[i]);
      uint32_t y = static_cast<std::make_unsigned_t<Ch>>(b[i]);
      if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }

  void set(int k, std::unique_ptr<Str> s, const Model<Str>& m) {
    pool_[k] = std::move(s);
    model_[k] = m;
  }

  // ---- one operation -------------------------------------------------------------
  void step() {
    int i = pick();
    Str& s = *pool_[i];
    Model<Str>& m = model_[i];
    switch (in_.ConsumeIntegralInRange<int>(0, 46)) {
      case 0:
        set(i, std::make_unique<Str>(), Model<Str>{});
        break;
      case 1: {  // construction from a text, null included
        bool null = in_.ConsumeBool();
        Text t = gen_text();
        auto v = units(t);
        set(i, std::make_unique<Str>(null ? nullptr : v.data()), Model<Str>{!null, null ? Text() : t});
        break;
      }
      case 2: {  // counted construction
        Text t = gen_text();
        uint32_t count = in_.ConsumeIntegralInRange<uint32_t>(0, 16);
        auto v = units(t);
        Model<Str> r;
        if (!t.empty()) r = {true, t.substr(0, count == 0 ? t.size() : count)};
        set(i, std::make_unique<Str>(v.data(), count), r);
        break;
      }
      case 3: {  // copy construction
        int j = pick();
        Model<Str> r = model_[j];
        set(i, std::make_unique<Str>(*pool_[j]), r);
        break;
      }
      case 4: {
        uint32_t n = in_.ConsumeIntegralInRange<uint32_t>(0, 40);
        set(i, std::make_unique<Str>(n, Str::ctCapacity), Model<Str>{n != 0, Text()});
        break;
      }
      case 5: {  // assignment from a string, itself included
        int j = pick();
        Text t = model_[j].text;
        s = *pool_[j];
        m = {true, t};
        break;
      }
      case 6: {
        bool null = in_.ConsumeBool();
        Text t = gen_text();
        auto v = units(t);
        s = null ? static_cast<const Unit*>(nullptr) : v.data();
        m = {!null, null ? Text() : t};
        if constexpr (!W::kNarrow) {
          // Assigning a narrow text widens its 7-bit prefix.
          if (in_.ConsumeBool()) {
            std::string n = Run<TStringA>::units_text(in_);
            s = null ? static_cast<const char*>(nullptr) : n.c_str();
            m = {!null, null ? Text() : widen7(n)};
          }
        }
        break;
      }
      case 7: {  // SetText with a count, trusted only as far as the terminator
        bool null = in_.ConsumeBool();
        Text t = gen_text();
        uint32_t count = in_.ConsumeIntegralInRange<uint32_t>(0, 16);
        auto v = units(t);
        s.SetText(null ? nullptr : v.data(), count);
        if (null) {
          m = {};
        } else {
          m = {true, t.substr(0, count == 0 ? t.size() : std::min<size_t>(count, t.size()))};
        }
        break;
      }
      case 8: {  // SetText from a later part of the string's own text
        uint32_t k = in_.ConsumeIntegralInRange<uint32_t>(0, static_cast<uint32_t>(m.text.size()));
        uint32_t count = in_.ConsumeIntegralInRange<uint32_t>(0, 8);
        Text rest = m.text.substr(k);
        s.SetText(s.GetBuffer() + k, count);
        m = {true, rest.substr(0, count == 0 ? rest.size() : std::min<size_t>(count, rest.size()))};
        break;
      }
      case 9: {
        int j = pick();
        bool realloc = in_.ConsumeBool();
        if (j == i) {
          s.Assign(*pool_[j], realloc);
        } else if (!realloc && m.buf) {
          // Without reallocation the caller guarantees the room.
          if (model_[j].text.size() < s.GetCapacity()) {
            s.Assign(*pool_[j], false);
            m.text = model_[j].text;
          }
        } else {
          s.Assign(*pool_[j], realloc);
          m = model_[j];
        }
        break;
      }
      case 10: {  // Append of a string, itself included
        int j = pick();
        Text add = model_[j].text;
        s.Append(*pool_[j]);
        plus_assign(m, add);
        break;
      }
      case 11:
      case 12: {  // Insert / Append of counted units that may hold zeros
        bool append = in_.ConsumeBool();
        Text t = gen_text();
        uint32_t count = 0;
        if (in_.ConsumeBool() && !t.empty()) {
          count = in_.ConsumeIntegralInRange<uint32_t>(1, static_cast<uint32_t>(t.size()));
          if (in_.ConsumeBool()) t[in_.ConsumeIntegralInRange<size_t>(0, count - 1)] = 0;
        }
        int32_t pos = append ? -1 : position();
        auto v = units(t);
        if (append) {
          s.Append(v.data(), count);
        } else {
          s.Insert(v.data(), pos, count);
        }
        if (!t.empty() && t[0] != 0) {
          Text add = count == 0 ? cut(t) : t.substr(0, count);
          m.buf = true;
          m.text = cut(m.text.insert(clamp_pos(pos, m.text), add));
        }
        break;
      }
      case 13: {
        Ch c = static_cast<Ch>(in_.ConsumeBool() ? 0 : W::kAlphabet[in_.ConsumeIntegral<uint8_t>() % 16]);
        s.AppendChar(static_cast<Unit>(c));
        if (c != 0) plus_assign(m, Text(1, c));
        break;
      }
      case 14: {
        Ch c = static_cast<Ch>(in_.ConsumeBool() ? 0 : W::kAlphabet[in_.ConsumeIntegral<uint8_t>() % 16]);
        int32_t pos = position();
        s.Insert(static_cast<Unit>(c), pos);
        if (c != 0) {
          m.buf = true;
          m.text.insert(clamp_pos(pos, m.text), 1, c);
        }
        break;
      }
      case 15: {  // Insert of a string, itself included
        int j = pick();
        int32_t pos = position();
        Text add = model_[j].text;
        s.Insert(*pool_[j], pos);
        if (!add.empty()) {
          m.buf = true;
          m.text.insert(clamp_pos(pos, m.text), add);
        }
        break;
      }
      case 16: {
        uint32_t pos = small_or_huge();
        uint32_t count = small_or_huge();
        if (in_.ConsumeBool()) {
          s.remove(pos, count);
        } else {
          s.deleteSubStr(pos, count);
        }
        if (count != 0 && uint64_t{pos} + count <= m.text.size()) m.text.erase(pos, count);
        break;
      }
      case 17: {  // += of a string, itself included
        int j = pick();
        Text add = model_[j].text;
        s += *pool_[j];
        plus_assign(m, add);
        break;
      }
      case 18: {
        bool null = in_.ConsumeBool();
        Text t = gen_text();
        auto v = units(t);
        s += null ? static_cast<const Unit*>(nullptr) : v.data();
        if (!null) plus_assign(m, t);
        break;
      }
      case 19: {
        Ch c = static_cast<Ch>(in_.ConsumeBool() ? 0 : W::kAlphabet[in_.ConsumeIntegral<uint8_t>() % 16]);
        if constexpr (W::kNarrow) {
          const char unit = c;
          s += unit;
        } else {
          s += static_cast<unsigned short>(c);
        }
        plus_assign(m, c == 0 ? Text() : Text(1, c));
        break;
      }
      case 20: {  // += of the other width: 7-bit narrowing or widening
        if constexpr (W::kNarrow) {
          std::u16string t = Run<TWideString>::units_text(in_);
          std::vector<unsigned short> v(t.begin(), t.end());
          v.push_back(0);
          s += static_cast<const unsigned short*>(v.data());
          plus_assign(m, narrow7(t));
        } else {
          bool null = in_.ConsumeBool();
          std::string t = Run<TStringA>::units_text(in_);
          s += null ? static_cast<const char*>(nullptr) : t.c_str();
          if (!null) plus_assign(m, widen7(t));
        }
        break;
      }
      case 21: {  // operator+ into another slot
        int k = pick();
        Text t = gen_text();
        auto v = units(t);
        Model<Str> r = m;
        plus_assign(r, t);
        set(k, std::make_unique<Str>(s + v.data()), r);
        break;
      }
      case 22: {  // operator+ with the other width or, narrow, with a string
        int k = pick();
        Model<Str> r = m;
        if constexpr (W::kNarrow) {
          int j = pick();
          plus_assign(r, model_[j].text);
          set(k, std::make_unique<Str>(s + *pool_[j]), r);
        } else {
          std::string t = Run<TStringA>::units_text(in_);
          plus_assign(r, widen7(t));
          set(k, std::make_unique<Str>(s + t.c_str()), r);
        }
        break;
      }
      case 23: {
        uint32_t n = in_.ConsumeIntegralInRange<uint32_t>(0, 40);
        check(s.SetCapacity(n));
        m = {n != 0, Text()};
        break;
      }
      case 24: {
        uint32_t n = in_.ConsumeIntegralInRange<uint32_t>(0, 40);
        check(s.ReSetCapacity(n) == (n != 0));
        if (n != 0) {
          m.buf = true;
          if (m.text.size() > n) m.text.resize(n);
        }
        break;
      }
      case 25:
        if (in_.ConsumeBool()) {
          s.Clear();
        } else {
          s.ZeroString();
        }
        m.text.clear();
        break;
      case 26:
        s.DeleteBuffer();
        m = {};
        break;
      case 27: {  // Dup, both forms
        std::unique_ptr<Str> d(s.Dup());
        check(d != nullptr);
        verify(*d, m);
        Unit* raw = Str::Dup(s.GetBufferVar());
        check((raw == nullptr) == !m.buf);
        if (raw != nullptr) check(read(raw) == m.text);
        free(raw);
        break;
      }
      case 28: {  // equality and ordering between two strings and against texts
        int j = pick();
        const Model<Str>& o = model_[j];
        const Str& a = s;
        const Str& b = *pool_[j];
        check((a == b) == (m.text == o.text));
        check((a != b) == (m.text != o.text));
        int c;
        if (W::kNarrow && !(m.buf && o.buf)) {
          c = (m.buf ? 1 : 0) - (o.buf ? 1 : 0);
        } else {
          c = unit_compare(m.text, o.text);
        }
        check((a < b) == (c < 0) && (a <= b) == (c <= 0));
        check((a > b) == (c > 0) && (a >= b) == (c >= 0));
        Text t = in_.ConsumeBool() ? o.text : gen_text(3);
        auto v = units(t);
        check((a == v.data()) == (m.text == t));
        check((a != v.data()) == (m.text != t));
        check((a == static_cast<const Unit*>(nullptr)) == m.text.empty());
        if constexpr (!W::kNarrow) {
          std::string n = Run<TStringA>::units_text(in_);
          check((a == n.c_str()) == (m.text == widen7(n)));
        }
        check(a.hashValue() == Str(units(m.text).data()).hashValue());
        if (m.text.empty()) check(a.hashValue() == 0);
        break;
      }
      case 29: {  // character search
        Ch c = static_cast<Ch>(in_.ConsumeBool() ? 0 : W::kAlphabet[in_.ConsumeIntegral<uint8_t>() % 16]);
        uint32_t ignored = in_.ConsumeIntegral<uint32_t>();
        int want = -1;
        if (!m.text.empty()) {
          size_t at = c == 0 ? m.text.size() : m.text.find(c);
          want = at == Text::npos ? -1 : static_cast<int>(at);
        }
        check(s.find(static_cast<Unit>(c), ignored) == want);
        const Unit u = static_cast<Unit>(c);
        check(s.PosSubChar(u, ignored) == want);
        size_t last = c == 0 ? Text::npos : m.text.rfind(c);
        check(s.reverseFind(static_cast<Unit>(c)) == (last == Text::npos ? -1 : static_cast<int>(last)));
        break;
      }
      case 30: {  // text search
        Text t = gen_text(3);
        auto v = units(t);
        int32_t got;
        int32_t want;
        if constexpr (W::kNarrow) {
          bool null = in_.ConsumeBool();
          got = s.PosSubStr(null ? nullptr : v.data());
          size_t at = m.text.find(t);
          want = null || m.text.empty() || at == Text::npos ? -1 : static_cast<int32_t>(at);
        } else {
          int j = pick();
          bool use_pool = in_.ConsumeBool();
          if (use_pool) t = model_[j].text;
          got = use_pool ? s.PosSubStr(*pool_[j]) : s.PosSubStr(Str(v.data()));
          size_t at = m.text.find(t);
          want = at == Text::npos ? -1 : static_cast<int32_t>(at);
        }
        check(got == want);
        break;
      }
      case 31: {  // substrings into another slot
        int k = pick();
        uint32_t a = small_or_huge();
        uint32_t b = small_or_huge();
        uint32_t len = static_cast<uint32_t>(m.text.size());
        Model<Str> r;
        std::unique_ptr<Str> out;
        switch (in_.ConsumeIntegralInRange<int>(0, 4)) {
          case 0:
            if (b > 64) b %= 64;  // the counted copy allocates count + 1 units
            out = std::make_unique<Str>(s.substring(a, b));
            r = substring_model(m, a, b);
            break;
          case 1:
            if (a > 64) a %= 64;
            out = std::make_unique<Str>(s.left(a));
            r = substring_model(m, 0, a);
            break;
          case 2:
            out = std::make_unique<Str>(s.right(a));
            r = substring_model(m, len - a, a);
            break;
          case 3:
            out = std::make_unique<Str>(s.Right(a));
            r = substring_model(m, len - a, a);
            break;
          default:
            out = std::make_unique<Str>(s.GetNSubStr(a));
            r = m;
            if (r.text.size() > a) r.text.resize(a);
            break;
        }
        set(k, std::move(out), r);
        break;
      }
      case 32: {
        bool all = in_.ConsumeBool();
        s.Trim(all);
        if (m.buf) {
          size_t b = 0;
          while (b < m.text.size() && is_blank(m.text[b], all)) ++b;
          size_t e = m.text.size();
          while (e > b && is_blank(m.text[e - 1], all)) --e;
          m.text = m.text.substr(b, e - b);
        }
        break;
      }
      case 33: {
        uint32_t n = small_or_huge();
        const Unit* r = s.TruncStr(n);
        check(r == s.GetBufferVar());
        if (m.text.size() > n) m.text.resize(n);
        break;
      }
      case 34: {  // ReplaceStr, null and empty arguments included
        Text from = gen_text(2);
        Text to = gen_text(3);
        bool null_from = in_.ConsumeIntegral<uint8_t>() < 16;
        bool null_to = in_.ConsumeIntegral<uint8_t>() < 16;
        auto vf = units(from);
        auto vt = units(to);
        s.ReplaceStr(null_from ? nullptr : vf.data(), null_to ? nullptr : vt.data());
        if (m.buf && !null_from && !from.empty() && !null_to) {
          Text r;
          size_t at = 0;
          for (size_t hit; (hit = m.text.find(from, at)) != Text::npos; at = hit + from.size()) {
            r += m.text.substr(at, hit - at);
            r += to;
          }
          r += m.text.substr(at);
          m.text = r;
        }
        break;
      }
      case 35: {
        bool lower = in_.ConsumeBool();
        if (lower) {
          s.toLower();
        } else {
          s.toUpper();
        }
        for (Ch& c : m.text) {
          if (lower && c >= 'A' && c <= 'Z') c = static_cast<Ch>(c + 32);
          if (!lower && c >= 'a' && c <= 'z') c = static_cast<Ch>(c - 32);
        }
        break;
      }
      case 36: {  // fromBetweenTag, also over the string's own text
        bool own = in_.ConsumeBool();
        bool null = !own && in_.ConsumeIntegral<uint8_t>() < 16;
        Text t = own ? m.text : gen_text(16);
        Text st = gen_text(2);
        Text et = gen_text(2);
        auto vt = units(t);
        auto vs = units(st);
        auto ve = units(et);
        s.fromBetweenTag(null ? nullptr : own ? s.GetBuffer() : vt.data(), vs.data(), ve.data());
        size_t begin = 0;
        size_t end = Text::npos;
        if (!null) {
          begin = st.empty() ? 0 : t.find(st);
          if (begin != Text::npos) {
            if (!st.empty()) begin += st.size();
            end = et.empty() ? t.size() : t.find(et, begin);
          }
        }
        if (!null && begin != Text::npos && end != Text::npos && end > begin) {
          m = {true, t.substr(begin, end - begin)};
        } else {
          m.text.clear();
        }
        break;
      }
      case 37: {  // ExtractFileNameFromURL: the text only
        Str r = s.ExtractFileNameFromURL();
        Text t = m.text.substr(0, m.text.find('?'));
        size_t slash = t.rfind('/');
        if (slash != Text::npos) t = t.substr(slash + 1);
        if (t.size() > 96) t.resize(96);
        check(read(r.GetBuffer()) == t);
        if (m.text.empty()) check(r.GetBufferVar() == nullptr);
        break;
      }
      case 38: {  // GetCharRSubStr
        uint32_t start = small_or_huge();
        Ch stop = static_cast<Ch>(in_.ConsumeBool() ? 0 : W::kAlphabet[in_.ConsumeIntegral<uint8_t>() % 16]);
        Model<Str> r;
        uint32_t len = 0;
        bool signed_start = W::kNarrow && static_cast<int32_t>(start) < 0;
        if (m.buf && !signed_start && (start == 0 || start < m.text.size())) {
          size_t e = stop == 0 ? Text::npos : m.text.find(stop, start);
          r = {true, m.text.substr(start, e == Text::npos ? Text::npos : e - start)};
          len = static_cast<uint32_t>(r.text.size());
        }
        Str out;
        if constexpr (W::kNarrow) {
          int32_t got = -7;
          out = s.GetCharRSubStr(static_cast<int32_t>(start), stop, &got);
          check(static_cast<uint32_t>(got) == len);
          Str st = Str::GetCharRSubStr(s.GetBufferVar(), static_cast<int32_t>(start), stop, nullptr);
          check(read(st.GetBuffer()) == r.text);
        } else {
          uint32_t got = 7;
          out = s.GetCharRSubStr(start, stop, &got);
          check(got == len);
          Str st = Str::GetCharRSubStr(s.GetBufferVar(), start, stop, nullptr);
          check(read(st.GetBuffer()) == r.text);
        }
        check(read(out.GetBuffer()) == r.text);
        break;
      }
      case 39: {  // extractYearEX on the string's own buffer, removing the year or not
        bool remove = in_.ConsumeBool();
        int lo = in_.ConsumeIntegralInRange<int>(1, 9999);  // a year of 0 reads as none
        int hi = in_.ConsumeIntegralInRange<int>(0, 9999);
        int32_t want = 0;
        size_t at = 0;
        int counted = 0;
        bool skip = false;
        for (size_t k = 0; k < m.text.size() && want == 0; ++k) {
          Ch c = m.text[k];
          if (c < '0' || c > '9' || skip) {
            counted = 0;
            skip = false;
            continue;
          }
          if (++counted == 1) at = k;
          if (counted < 4) continue;
          counted = 0;
          if (k + 1 < m.text.size() && m.text[k + 1] >= '0' && m.text[k + 1] <= '9') {
            skip = true;
            continue;
          }
          int year = 0;
          for (size_t d = at; d <= k; ++d) year = year * 10 + (m.text[d] - '0');
          if (year >= lo && year <= hi) want = year;
        }
        if (m.buf) {
          check(Str::extractYearEX(s.GetBufferVar(), remove, lo, hi) == want);
          if (remove && want != 0) m.text.erase(at, 4);
        }
        if (!remove) check(Str::extractYear(s.GetBuffer(), lo, hi) == want);
        break;
      }
      case 40: {  // fromFirstLine walks a text line by line (narrow only)
        if constexpr (W::kNarrow) {
          bool null = in_.ConsumeIntegral<uint8_t>() < 16;
          Text t = gen_text(16);
          auto v = units(t);
          const char* next = s.fromFirstLine(null ? nullptr : v.data());
          if (null) {
            check(next == nullptr);
            m.text.clear();
            break;
          }
          size_t e = t.find_first_of("\r\n");
          if (e == Text::npos) e = t.size();
          if (e > 0) {
            m = {true, t.substr(0, e)};
          } else {
            m.text.clear();
          }
          size_t after = e == t.size() ? e : e + ((t[e] == '\r' && e + 1 < t.size() && t[e + 1] == '\n') ? 2 : 1);
          check(next == (after >= t.size() ? nullptr : v.data() + after));
        }
        break;
      }
      default: {  // classification members on the current text, checked for safety
        (void)s.IsNumeric();
        (void)s.IsTelStr();
        (void)s.IsEmailStr();
        bool numeric =
            !m.text.empty() && std::all_of(m.text.begin(), m.text.end(), [](Ch c) { return c >= '0' && c <= '9'; });
        check(s.IsNumeric() == numeric);
        size_t at = m.text.find('@');
        check(s.IsEmailStr() == (at != Text::npos && at + 1 < m.text.size()));
        break;
      }
    }
  }

 public:
  // A text of the other width's alphabet, for the mixed-width operators.
  static Text units_text(FuzzInput& in) {
    size_t n = in.ConsumeIntegralInRange<size_t>(0, 8);
    Text t;
    for (size_t i = 0; i < n; ++i) t += static_cast<Ch>(W::kAlphabet[in.ConsumeIntegral<uint8_t>() % 16]);
    return t;
  }

 private:
  FuzzInput& in_;
  std::unique_ptr<Str> pool_[kPool];
  Model<Str> model_[kPool];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  FuzzInput in(data + 1, size - 1);
  if (data[0] & 1) {
    Run<TWideString>(in).go();
  } else {
    Run<TStringA>(in).go();
  }
  return 0;
}
