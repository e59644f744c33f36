#include "config/config_text.h"

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "config/config_schema.h"
#include "config/config_verify.h"
#include "image/codecs.h"
#include "image/data_file.h"
#include "io/input_file.h"

#include <cmath>

namespace kp53::config {

namespace {

bool Shown(const Field& f, ConfigModel& m, int i) { return !f.shown || f.shown(m, i); }

// Sections of the configuration in text order, each with its items.
template <typename F>
void ForEachValue(ConfigModel& m, F f) {
  for (const Section& sec : Schema()) {
    if (!sec.present(m)) continue;
    const int items = sec.count == 0 ? 1 : sec.count;
    for (int i = 0; i < items; ++i)
      for (const Field& field : sec.fields)
        if (Shown(field, m, i)) f(sec, i, field);
  }
}

using Marked = std::set<std::pair<std::string, int>>;

// The item's bytes; the hardware's end with the 8 bytes of DefaultSplit as the data file holds it.
std::string StoredHex(ConfigModel& m, const Section& sec, int i) {
  std::string hex;
  for (const auto& [offset, size] : sec.bytes(i))
    for (std::size_t k = 0; k < size; ++k) hex += Format("%02X", m.data.image[offset + k]);
  if (sec.storesSplit) {
    unsigned char split[8];
    EncodeSplit(m.data.defaultSplit, split);
    for (unsigned char b : split) hex += Format("%02X", b);
  }
  return hex;
}

// A value as the emitter writes it. "true", "false" and plain whole numbers go in as such: the
// emitter writes them as the same text without testing them character by character, as it does
// every string to choose between plain and quoted.
void WriteValue(YAML::Emitter& out, const std::string& v) {
  if (v == "true" || v == "false") {
    out << (v == "true");
  } else if (!v.empty() && v.size() < 9 && v.find_first_not_of("0123456789") == std::string::npos &&
             (v[0] != '0' || v.size() == 1)) {
    out << std::stoi(v);
  } else {
    out << v;
  }
}

void EmitSection(YAML::Emitter& out, ConfigModel& m, const Section& sec, int maxItems, const Marked& marked) {
  out << YAML::Newline << YAML::Comment(sec.title);
  out << YAML::Key << sec.name << YAML::Value << YAML::BeginMap;
  auto fields = [&](int i) {
    if (marked.count({sec.name, i})) out << YAML::Key << "stored" << YAML::Value << StoredHex(m, sec, i);
    for (const Field& f : sec.fields)
      if (Shown(f, m, i)) {
        out << YAML::Key << f.name << YAML::Value;
        WriteValue(out, f.get(m, i));
      }
  };
  if (sec.count == 0) {
    fields(0);
  } else {
    for (int i = 0; i < std::min(sec.count, maxItems); ++i) {
      out << YAML::Key;
      if (sec.itemNames.empty()) out << i + 1; else out << sec.ItemKey(i);
      out << YAML::Value;
      if (sec.itemComment) out << YAML::Comment(sec.itemComment(m, i));
      out << YAML::BeginMap;
      fields(i);
      out << YAML::EndMap;
    }
  }
  out << YAML::EndMap;
}

std::string Emit(ConfigModel& m, int maxItems, const Marked& marked = {}) {
  YAML::Emitter out;
  out << YAML::Comment("HT-620A Series radio configuration (kp53 export). Reference: docs/config-text.md");
  out << YAML::BeginMap;
  for (const Section& sec : Schema())
    if (sec.present(m)) EmitSection(out, m, sec, maxItems, marked);
  out << YAML::EndMap;
  return std::string(out.c_str()) + "\n";
}

// A key or value of the text as a message quotes it: at most 40 characters of it.
std::string Quoted(const std::string& text) {
  if (text.size() <= 40) return "\"" + text + "\"";
  return "\"" + text.substr(0, 40) + "...\" (" + std::to_string(text.size()) + " characters)";
}

Note At(const YAML::Mark& mark, std::string message) {
  if (mark.is_null()) return {0, 0, std::move(message), {}, -1};
  return {mark.line + 1, mark.column + 1, std::move(message), {}, -1};
}

// The text's nodes as the reading needs them, built from the parser's events into one vector: a
// lighter tree than YAML::Node's, which costs more to build and free than the reading itself.
// An alias stands for its anchor's node.
class TextTree {
 public:
  enum class Kind { Null, Scalar, Sequence, Map };
  struct Node {
    Kind kind = Kind::Null;
    YAML::Mark mark = YAML::Mark::null_mark();
    std::string scalar;
    std::vector<int> children;  // a map's alternate key, value
    const TextTree* tree = nullptr;

    bool IsNull() const { return kind == Kind::Null; }
    bool IsScalar() const { return kind == Kind::Scalar; }
    bool IsMap() const { return kind == Kind::Map; }
    const std::string& Scalar() const { return scalar; }  // empty unless a scalar
    YAML::Mark Mark() const { return mark; }
    // The key, value pairs of a map in text order.
    std::vector<std::pair<const Node&, const Node&>> Pairs() const {
      std::vector<std::pair<const Node&, const Node&>> out;
      out.reserve(children.size() / 2);
      for (std::size_t k = 0; k + 1 < children.size(); k += 2) out.emplace_back(tree->At(children[k]), tree->At(children[k + 1]));
      return out;
    }
  };

  // Parses `text`, which must hold one document and nothing after it; throws YAML::Exception as
  // YAML::Load does, also for a text beyond the limits (kMaxDepth, kMaxKeys, kMaxNodes), which is
  // given up at once rather than read whole.
  explicit TextTree(std::string_view text) {
    if (const auto nul = text.find('\0'); nul != std::string_view::npos)
      throw YAML::ParserException(MarkAt(text, nul), "the text holds a NUL byte: it is no text file");
    CheckFlowCollections(text);
    std::istringstream in{std::string(text)};
    YAML::Parser parser(in);
    Builder builder(*this);
    if (!parser.HandleNextDocument(builder)) return;
    // A quoted value is closed before the end of the text, or else it took in all that follows.
    const auto quoted = static_cast<std::size_t>(builder.lastQuoted.pos);
    if (builder.lastQuoted.pos >= 0 && quoted < text.size() && (text[quoted] == '"' || text[quoted] == '\'') &&
        QuotedEnd(text, quoted) == std::string_view::npos)
      throw YAML::ParserException(builder.lastQuoted, "the quoted value is not closed");
    SecondDocument second;
    parser.HandleNextDocument(second);
  }
  // The document's node; a null node when the text holds none.
  const Node& Root() const { return nodes_.empty() ? empty_ : nodes_.front(); }
  const Node& At(int k) const { return nodes_[static_cast<std::size_t>(k)]; }

 private:
  // Far beyond what the configuration needs (three levels, a few hundred keys in a mapping, some
  // 30,000 nodes), and small enough that a hostile text is refused within a fraction of a second.
  static constexpr std::size_t kMaxDepth = 16;
  static constexpr std::size_t kMaxKeys = 1000;
  static constexpr std::size_t kMaxNodes = 200000;

  // The place of byte `pos` of the text.
  static YAML::Mark MarkAt(std::string_view text, std::size_t pos) {
    const auto before = text.substr(0, pos);
    const auto lineStart = before.rfind('\n');
    const int line = static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    const int column = static_cast<int>(lineStart == std::string_view::npos ? pos : pos - lineStart - 1);
    YAML::Mark mark;
    mark.pos = static_cast<int>(pos);
    mark.line = line;
    mark.column = column;
    return mark;
  }

  // The parser reads a whole flow collection ([...] or {...}) before it hands over its first
  // value, since the collection might turn out to be a key, at a cost in time and memory far beyond
  // the text's size; and it reads a long value at a few MB a second. A configuration never needs
  // a long one of either: a collection longer than kMaxFlowBytes (or not closed within them) and a
  // value longer than that are refused before the parser sees the text. Linear: a top-level
  // collection is looked at once, to its end.
  static constexpr std::size_t kMaxFlowBytes = 64 * 1024;

  static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

  // One past the end of the quoted value opening at `k`; npos when it is not closed.
  static std::size_t QuotedEnd(std::string_view text, std::size_t k) {
    const char quote = text[k];
    for (++k; k < text.size(); ++k) {
      if (quote == '"' && text[k] == '\\') {
        ++k;
      } else if (text[k] == quote) {
        if (quote == '\'' && k + 1 < text.size() && text[k + 1] == '\'') {
          ++k;
          continue;
        }
        return k + 1;
      }
    }
    return std::string_view::npos;
  }

  // One past the bracket that closes the collection opening at `start`; npos when there is none
  // within kMaxFlowBytes.
  static std::size_t FlowEnd(std::string_view text, std::size_t start) {
    const std::size_t stop = std::min(text.size(), start + kMaxFlowBytes);
    int depth = 0;
    for (std::size_t k = start; k < stop; ++k) {
      const char c = text[k];
      const char before = k > start ? text[k - 1] : ' ';
      if (c == '[' || c == '{') {
        ++depth;
      } else if (c == ']' || c == '}') {
        if (--depth == 0) return k + 1;
      } else if ((c == '"' || c == '\'') && (Blank(before) || std::strchr("[{,:", before) != nullptr)) {
        k = QuotedEnd(text, k);
        if (k == std::string_view::npos) return k;
        --k;
      } else if (c == '#' && Blank(before)) {
        while (k + 1 < stop && text[k + 1] != '\n') ++k;
      }
    }
    return std::string_view::npos;
  }

  static void CheckFlowCollections(std::string_view text) {
    char last = '\n';  // the last character on the line that is not blank; '\n' at a line's start
    std::size_t run = 0;  // where the text since the last indicator (": ", "- ", "? ") or comment begins
    const auto tooLong = [&](std::size_t from) {
      return YAML::ParserException(MarkAt(text, from), Format("a value longer than %zu KB", kMaxFlowBytes / 1024));
    };
    for (std::size_t k = 0; k < text.size();) {
      const char c = text[k];
      if (c == '\n' || c == '\r') {
        last = '\n';
        ++k;
        continue;
      }
      if (c == ' ' || c == '\t') {
        ++k;
        continue;
      }
      // A value starts at a line's start or after an indicator and a blank.
      const bool valueStart = last == '\n' || (std::strchr(":-?", last) != nullptr && Blank(text[k - 1]));
      if (valueStart && (c == '[' || c == '{')) {
        const std::size_t end = FlowEnd(text, k);
        if (end == std::string_view::npos)
          throw YAML::ParserException(MarkAt(text, k),
                                      Format("a collection in brackets longer than %zu KB, or not closed",
                                             kMaxFlowBytes / 1024));
        last = text[end - 1];
        k = run = end;
      } else if (valueStart && (c == '"' || c == '\'')) {
        const std::size_t end = std::min(QuotedEnd(text, k), text.size());
        if (end - k > kMaxFlowBytes) throw tooLong(k);
        last = text[end - 1];
        k = run = end;
      } else if (c == '#' && (last == '\n' || Blank(text[k - 1]))) {
        while (k < text.size() && text[k] != '\n') ++k;
        run = k;
      } else {
        // The parser takes a long plain value at a few MB a second: one is cut short here.
        if (k - run > kMaxFlowBytes) throw tooLong(run);
        if (std::strchr(":-?", c) != nullptr && (k + 1 == text.size() || Blank(text[k + 1]))) run = k + 1;
        last = c;
        ++k;
      }
    }
  }

  // Refuses a document after the first one, whatever it holds.
  class SecondDocument : public YAML::EventHandler {
   public:
    void OnDocumentStart(const YAML::Mark& mark) override {
      throw YAML::ParserException(mark, "a second document begins here; the text may hold one configuration only");
    }
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override {}
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t, const std::string&) override {}
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override {}
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override {}
    void OnMapEnd() override {}
  };

  class Builder : public YAML::EventHandler {
   public:
    explicit Builder(TextTree& t) : t_(t) {}
    YAML::Mark lastQuoted = YAML::Mark::null_mark();  // the last quoted value's place, if any
    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark& mark, YAML::anchor_t anchor) override { Add(Kind::Null, mark, {}, anchor); }
    void OnAlias(const YAML::Mark& mark, YAML::anchor_t anchor) override {
      // An anchor not yet complete (a node holding itself) reads as null.
      Attach(anchor < anchors_.size() && anchors_[anchor] >= 0 && !Open(anchors_[anchor]) ? anchors_[anchor]
                                                                                         : New(Kind::Null, mark, {}));
    }
    void OnScalar(const YAML::Mark& mark, const std::string& tag, YAML::anchor_t anchor, const std::string& value) override {
      if (tag == "!") lastQuoted = mark;  // the parser's tag for a quoted (non-plain) value
      Add(Kind::Scalar, mark, value, anchor);
    }
    void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor,
                         YAML::EmitterStyle::value) override {
      Nest(mark);
      open_.push_back(Add(Kind::Sequence, mark, {}, anchor));
    }
    void OnSequenceEnd() override { open_.pop_back(); }
    void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor, YAML::EmitterStyle::value) override {
      Nest(mark);
      open_.push_back(Add(Kind::Map, mark, {}, anchor));
    }
    void OnMapEnd() override { open_.pop_back(); }

   private:
    void Nest(const YAML::Mark& mark) const {
      if (open_.size() >= kMaxDepth)
        throw YAML::ParserException(mark, Format("nested deeper than %zu levels", kMaxDepth));
    }
    int New(Kind kind, const YAML::Mark& mark, const std::string& scalar) {
      if (t_.nodes_.size() >= kMaxNodes)
        throw YAML::ParserException(mark, Format("more than %zu values; a configuration holds far fewer", kMaxNodes));
      t_.nodes_.push_back(Node{kind, mark, scalar, {}, &t_});
      return static_cast<int>(t_.nodes_.size() - 1);
    }
    int Add(Kind kind, const YAML::Mark& mark, const std::string& scalar, YAML::anchor_t anchor) {
      const int n = New(kind, mark, scalar);
      if (anchor != YAML::NullAnchor) {
        if (anchors_.size() <= anchor) anchors_.resize(anchor + 1, -1);
        anchors_[anchor] = n;
      }
      Attach(n);
      return n;
    }
    void Attach(int n) {
      if (open_.empty()) return;
      Node& parent = t_.nodes_[static_cast<std::size_t>(open_.back())];
      const std::size_t perEntry = parent.kind == Kind::Map ? 2 : 1;
      if (parent.children.size() >= kMaxKeys * perEntry)
        throw YAML::ParserException(t_.nodes_[static_cast<std::size_t>(n)].mark,
                                    Format("more than %zu entries in one mapping or list", kMaxKeys));
      parent.children.push_back(n);
    }
    bool Open(int n) const { return std::find(open_.begin(), open_.end(), n) != open_.end(); }

    TextTree& t_;
    std::vector<int> open_;
    std::vector<int> anchors_;
  };

  std::vector<Node> nodes_;
  Node empty_;
};
using TextNode = TextTree::Node;

Note At(const TextNode& node, std::string message) { return At(node.Mark(), std::move(message)); }

// A field's text and where it stands in the text (no place for texts taken from a model).
struct Given {
  std::string text;
  YAML::Mark mark = YAML::Mark::null_mark();
  bool given = false;
};

struct SectionInput {
  const Section* section;
  std::map<int, std::map<std::string, Given>> items;  // item index -> field -> text
  std::map<int, Given> stored;                        // item index -> its bytes
};

Note About(const YAML::Mark& mark, std::string message, const Section& sec, int item) {
  Note n = At(mark, std::move(message));
  n.area = sec.name;
  n.item = item;
  return n;
}

// The model's areas written into its image without normalising, as the image stands.
void Flush(ConfigModel& m) {
  m.StoreAreas();
  m.data.hardware.StoreToImage(m.data.image);
  m.data.channels.StoreToImage(m.data.image, m.data.hardware);
}

// Reads the mapping of one item's fields; anything that is not a known field with a plain value
// is an error.
void ReadFields(const Section& sec, const TextNode& map, std::map<std::string, Given>& into, Given* stored,
                std::vector<Note>& errors) {
  if (!map.IsMap()) {
    errors.push_back(At(map, "expected a mapping of fields"));
    return;
  }
  for (const auto& kv : map.Pairs()) {
    const std::string key = kv.first.Scalar();
    if (key == "stored" && kv.second.IsScalar()) {
      *stored = Given{kv.second.Scalar(), kv.second.Mark(), true};
      continue;
    }
    const auto f = std::find_if(sec.fields.begin(), sec.fields.end(), [&](const Field& x) { return x.name == key; });
    if (f == sec.fields.end()) {
      errors.push_back(At(kv.first, "unknown field " + Quoted(key) + " in " + sec.name));
    } else if (!kv.second.IsScalar()) {
      errors.push_back(At(kv.second, key + ": expected a single value"));
    } else if (!into.emplace(key, Given{kv.second.Scalar(), kv.second.Mark(), true}).second) {
      errors.push_back(At(kv.first, key + " is given twice"));
    }
  }
}

// Writes an item's stored bytes into the image; false (with the error) when the text is not the
// item's bytes in hexadecimal.
bool EnterStored(ConfigModel& m, const Section& sec, int i, const Given& given, std::vector<Note>& errors) {
  const auto runs = sec.bytes(i);
  std::size_t total = sec.storesSplit ? 8 : 0;
  for (const auto& run : runs) total += run.second;
  const std::string& hex = given.text;
  if (hex.size() != 2 * total || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
    errors.push_back(About(given.mark, Format("stored: expected %zu hexadecimal digits", 2 * total), sec, i));
    return false;
  }
  auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(std::stoul(hex.substr(k, 2), nullptr, 16)); };
  std::size_t k = 0;
  for (const auto& [offset, size] : runs)
    for (std::size_t b = 0; b < size; ++b, k += 2) m.data.image[offset + b] = byte(k);
  if (sec.storesSplit) {
    unsigned char split[8];
    for (std::size_t b = 0; b < 8; ++b, k += 2) split[b] = byte(k);
    if (const double v = DecodeSplit(split); std::isfinite(v)) m.data.defaultSplit = v;
  }
  return true;
}

constexpr const char* kStoredNote = "stored: ";

// What the checks find in the model's image as it stands, but its checksum.
std::set<std::pair<std::string, std::string>> Problems(ConfigModel& m) {
  Flush(m);
  std::set<std::pair<std::string, std::string>> out;
  for (const Finding& f : Verify(m.data.image, m.data.defaultSplit))
    if (f.place != "checksum") out.emplace(f.place, f.message);
  return out;
}

// The stored item a problem's place names ("groups.3.size"), else the first stored item of the
// problem's section, else the first stored item of all.
// A finding's place read against a section: the item it names (-1 for none; 0 in a section of one
// item) and the field after it ("channels.12.rx_tone": item 11, "rx_tone"); nothing when the place
// is not in the section.
struct PlaceIn {
  int item;
  std::string field;
};
std::optional<PlaceIn> ReadPlace(const Section& sec, const std::string& place) {
  if (place == sec.name) return PlaceIn{sec.count > 0 ? -1 : 0, {}};
  if (place.rfind(sec.name + ".", 0) != 0) return std::nullopt;
  const std::string rest = place.substr(sec.name.size() + 1);
  if (sec.count == 0) return PlaceIn{0, rest};
  const std::size_t dot = rest.find('.');
  return PlaceIn{sec.ItemIndex(rest.substr(0, dot)), dot == std::string::npos ? std::string() : rest.substr(dot + 1)};
}

std::pair<const SectionInput*, int> StoredItemOf(const std::vector<SectionInput>& inputs, const std::string& place) {
  const SectionInput* first = nullptr;
  for (const SectionInput& in : inputs) {
    if (in.stored.empty()) continue;
    if (!first) first = &in;
    if (const auto at = ReadPlace(*in.section, place))
      return {&in, in.stored.count(at->item) ? at->item : in.stored.begin()->first};
  }
  return {first, first->stored.begin()->first};
}

// The field of the text a finding's place names: its section's input, the item, the field's name
// and its text; nothing when the text has no such field.
std::optional<std::tuple<const SectionInput*, int, std::string, const Given*>> GivenAt(
    const std::vector<SectionInput>& inputs, const std::string& place) {
  for (const SectionInput& in : inputs) {
    const auto at = ReadPlace(*in.section, place);
    if (!at) continue;
    const auto item = in.items.find(at->item);
    if (item == in.items.end()) return std::nullopt;
    const auto field = item->second.find(at->field);
    if (field == item->second.end()) return std::nullopt;
    return std::tuple(&in, at->item, at->field, &field->second);
  }
  return std::nullopt;
}

// `checkStored`: stored bytes are held to the checks (an export, which carries its own image's
// bytes, has no need to).
void Enter(std::vector<SectionInput> inputs, const RadioImage& baseImage, double baseSplit, ImportResult& result,
           bool checkStored = true) {
  // Enter the sections in the order their rules need: what others depend on comes first.
  std::stable_sort(inputs.begin(), inputs.end(),
                   [](const SectionInput& a, const SectionInput& b) { return a.section->applyRank < b.section->applyRank; });
  ConfigModel m;
  m.Load(baseImage, baseSplit);
  // What the checks find in the base: a finding the entered text adds is reported, not stored silently.
  std::optional<std::set<std::pair<std::string, std::string>>> beforeStored;

  for (const SectionInput& in : inputs) {
    const Section& sec = *in.section;
    if (!sec.present(m)) {
      for (const auto& [i, fields] : in.items)
        for (const auto& [name, given] : fields)
          result.errors.push_back(
              About(given.mark, sec.name + " belongs to the signalling system that is not selected", sec, i));
      continue;
    }
    // The section's stored bytes go in first, as they are; its fields are entered over them.
    if (!in.stored.empty()) {
      Flush(m);
      if (checkStored && !beforeStored) beforeStored = Problems(m);
      for (const auto& [i, given] : in.stored)
        if (!EnterStored(m, sec, i, given, result.errors)) return;
      ReloadAreas(m.data);
      m.LoadAreas();
    }
    std::vector<std::pair<int, Present>> presents;
    for (const auto& [i, fields] : in.items) {
      Present p;
      for (const auto& [name, given] : fields) p[name] = given.text;
      presents.emplace_back(i, std::move(p));
    }
    if (sec.prepare) sec.prepare(m, presents);
    for (const auto& [i, present] : presents) {
      const auto& fields = in.items.at(i);
      // A field whose text is what the image already holds is left as it is. An item with no
      // such field is not touched at all.
      auto differs = [&](const Field& f) {
        const auto it = fields.find(f.name);
        return it != fields.end() && !SameText(f.compare, it->second.text, f.get(m, i));
      };
      if (std::none_of(sec.fields.begin(), sec.fields.end(), differs)) continue;
      if (sec.before) sec.before(m, i, present);
      Present entered;
      for (const Field& f : sec.fields) {
        if (!differs(f)) continue;
        const auto it = fields.find(f.name);
        if (auto error = f.set(m, i, it->second.text))
          result.errors.push_back(About(it->second.mark, f.name + ": " + *error, sec, i));
        else
          entered[f.name] = it->second.text;
      }
      if (sec.after) sec.after(m, i, entered);
    }
    m.StoreAreas();
  }
  if (!result.errors.empty()) return;
  m.Finish();

  // What the checks find now and did not find in the base is a change to accept: at the field of
  // the text that asked for it (a CTCSS tone the radio lacks, stored as the grid stores it with its
  // status line), else at the stored bytes that brought it (a group too large, a value no field
  // would store).
  const auto after = checkStored ? Problems(m) : std::set<std::pair<std::string, std::string>>{};
  std::set<std::pair<std::string, std::string>> before;  // the base's findings, needed only when there are some now
  if (!after.empty()) {
    ConfigModel base;
    base.Load(baseImage, baseSplit);
    before = Problems(base);
  }
  for (const auto& problem : after) {
    if (before.count(problem)) continue;
    if (const auto at = GivenAt(inputs, problem.first)) {
      const auto& [in, i, field, given] = *at;
      result.changes.push_back(About(given->mark, field + ": \"" + given->text + "\" is stored, but " + problem.second,
                                     *in->section, i));
    } else if (beforeStored && !beforeStored->count(problem)) {
      const auto [in, i] = StoredItemOf(inputs, problem.first);
      result.changes.push_back(About(in->stored.at(i).mark, kStoredNote + problem.first + ": " + problem.second,
                                     *in->section, i));
    }
  }

  // What the image now holds, field by field, against what the text asked for.
  for (const SectionInput& in : inputs)
    for (const auto& [i, fields] : in.items)
      for (const Field& f : in.section->fields) {
        const auto it = fields.find(f.name);
        if (it == fields.end() || f.compare == Compare::Hint) continue;
        const std::string stored = f.get(m, i);
        if (!SameText(f.compare, it->second.text, stored))
          result.changes.push_back(About(it->second.mark,
                                         f.name + ": \"" + it->second.text + "\" would be stored as \"" + stored + "\"",
                                         *in.section, i));
      }
  result.image = m.data.image;
  result.split = m.data.defaultSplit;
}

// The items a text exported from `m` holds, taken from the model without writing the text:
// every shown field's text, and the stored bytes of the marked items.
std::vector<SectionInput> InputsOf(ConfigModel& m, const Marked& marked) {
  std::vector<SectionInput> inputs;
  for (const Section& sec : Schema()) {
    if (!sec.present(m)) continue;
    SectionInput in{&sec, {}, {}};
    for (int i = 0; i < std::max(sec.count, 1); ++i) {
      auto& fields = in.items[i];
      for (const Field& f : sec.fields)
        if (Shown(f, m, i)) fields.emplace(f.name, Given{f.get(m, i), YAML::Mark::null_mark(), true});
      if (marked.count({sec.name, i})) in.stored[i] = Given{StoredHex(m, sec, i), YAML::Mark::null_mark(), true};
    }
    inputs.push_back(std::move(in));
  }
  return inputs;
}

}  // namespace

std::string NoteText(const Note& note) {
  if (note.line == 0) return note.message;
  return Format("line %d, column %d: %s", note.line, note.column, note.message.c_str());
}

std::string ExportText(const RadioImage& image, double split) {
  ConfigModel m;
  m.Load(image, split);
  m.Finish();
  // The text must enter back to this image. The model's own texts are entered onto the defaults
  // as the text's would be; items whose values the rules would not enter as they are carry their
  // bytes. A few rounds settle every case (an item's bytes may hold another's).
  RadioData defaults;
  InitImage(defaults);
  Marked marked;
  for (int round = 0; round < 4; ++round) {
    ImportResult r;
    Enter(InputsOf(m, marked), defaults.image, defaults.defaultSplit, r, false);
    const std::size_t before = marked.size();
    for (const auto* notes : {&r.errors, &r.changes})
      for (const Note& n : *notes)
        if (n.item >= 0) marked.insert({n.area, n.item});

    // The split compares bit for bit, so that -0 comes back as -0.
    const bool sameSplit = std::bit_cast<std::uint64_t>(r.split) == std::bit_cast<std::uint64_t>(m.data.defaultSplit);
    if (!sameSplit) marked.insert({"hardware", 0});
    // Stored bytes that the checks find fault with stay reported: the image holds them.
    const bool settled = std::all_of(r.changes.begin(), r.changes.end(),
                                     [](const Note& n) { return n.message.rfind(kStoredNote, 0) == 0; });
    if (r.errors.empty() && settled) {
      if (r.image == m.data.image && sameSplit) break;
      // Bytes that differ with every field read back as asked: their items carry them.
      for (const Section& sec : Schema()) {
        if (!sec.present(m)) continue;
        for (int i = 0; i < std::max(sec.count, 1); ++i)
          for (const auto& [offset, size] : sec.bytes(i))
            for (std::size_t k = offset; k < offset + size; ++k)
              if (r.image[k] != m.data.image[k]) marked.insert({sec.name, i});
      }
    }
    // Group sizes depend on each other: the groups carry their bytes together or not at all.
    if (std::any_of(marked.begin(), marked.end(), [](const auto& k) { return k.first == "groups"; }))
      for (int g = 0; g < kGroupCount; ++g) marked.insert({"groups", g});
    if (marked.size() == before) break;
  }
  return Emit(m, kChannelCount, marked);
}

ImportResult ImportText(std::string_view text, const RadioImage& baseImage, double baseSplit) {
  ImportResult result;
  std::optional<TextTree> tree;
  try {
    tree.emplace(text);
  } catch (const YAML::Exception& e) {
    // The parser's words for a quoted value that runs to the end of the text, in the user's terms.
    result.errors.push_back(At(e.mark, e.msg == "illegal EOF in scalar" ? "the quoted value is not closed" : e.msg));
    return result;
  }
  const TextNode& root = tree->Root();
  if (!root.IsMap()) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
      result.errors.push_back({1, 1, "the text is empty; it holds no configuration", {}, -1});
    else if (root.Mark().is_null())
      result.errors.push_back({1, 1, "the text holds only comments, no configuration", {}, -1});
    else
      result.errors.push_back(At(root, "expected a mapping of areas"));
    return result;
  }

  // Read the whole text first: its structure is checked before anything is entered.
  std::vector<SectionInput> inputs;
  std::set<std::string> seen;
  for (const auto& kv : root.Pairs()) {
    const std::string key = kv.first.Scalar();
    const auto sec = std::find_if(Schema().begin(), Schema().end(), [&](const Section& s) { return s.name == key; });
    if (sec == Schema().end()) {
      result.errors.push_back(At(kv.first, "unknown area " + Quoted(key)));
      continue;
    }
    if (!seen.insert(key).second) {
      result.errors.push_back(At(kv.first, key + " is given twice"));
      continue;
    }
    SectionInput in{&*sec, {}, {}};
    if (kv.second.IsNull()) {
    } else if (sec->count == 0) {
      Given stored;
      ReadFields(*sec, kv.second, in.items[0], &stored, result.errors);
      if (stored.given) in.stored[0] = stored;
    } else if (!kv.second.IsMap()) {
      result.errors.push_back(At(kv.second, "expected a mapping of numbered items"));
    } else {
      for (const auto& item : kv.second.Pairs()) {
        const int i = item.first.IsScalar() ? sec->ItemIndex(item.first.Scalar()) : -1;
        if (i < 0) {
          result.errors.push_back(At(item.first, "no item " + Quoted(item.first.Scalar()) + " in " + key));
        } else if (in.items.count(i)) {
          result.errors.push_back(At(item.first, "item " + Quoted(item.first.Scalar()) + " is given twice"));
        } else if (!item.second.IsNull()) {
          Given stored;
          ReadFields(*sec, item.second, in.items[i], &stored, result.errors);
          if (stored.given) in.stored[i] = stored;
        }
      }
    }
    inputs.push_back(std::move(in));
  }
  if (!result.errors.empty()) return result;

  Enter(std::move(inputs), baseImage, baseSplit, result);
  return result;
}

std::vector<FlatField> Flatten(ConfigModel& model) {
  std::vector<FlatField> out;
  ForEachValue(model, [&](const Section& sec, int i, const Field& f) {
    out.push_back({sec.name, sec.count == 0 ? std::string() : sec.ItemKey(i), f.name, f.get(model, i)});
  });
  return out;
}

std::vector<Difference> Diff(ConfigModel& a, ConfigModel& b) {
  const auto fa = Flatten(a), fb = Flatten(b);
  std::map<std::string, const FlatField*> inB;
  for (const auto& f : fb) inB[f.Place()] = &f;
  std::vector<Difference> out;
  std::set<std::string> matched;
  for (const auto& f : fa) {
    const auto it = inB.find(f.Place());
    if (it == inB.end()) {
      out.push_back({f.area, f.item, f.field, f.value, "(absent)", true, false});
      continue;
    }
    matched.insert(f.Place());
    if (f.value != it->second->value) out.push_back({f.area, f.item, f.field, f.value, it->second->value, true, true});
  }
  for (const auto& f : fb)
    if (!matched.count(f.Place())) out.push_back({f.area, f.item, f.field, "(absent)", f.value, false, true});
  return out;
}

std::string DiffLine(const Difference& d) {
  const std::string place = d.item.empty() ? d.area + "." + d.field : d.area + "." + d.item + "." + d.field;
  return place + ": " + d.a + " -> " + d.b;
}

std::string DiffJson(const std::vector<Difference>& diffs) {
  YAML::Emitter out;
  out.SetNullFormat(YAML::LowerNull);
  out << YAML::DoubleQuoted << YAML::Flow << YAML::BeginSeq;
  for (const auto& d : diffs) {
    out << YAML::BeginMap << YAML::Key << "area" << YAML::Value << d.area << YAML::Key << "item" << YAML::Value << d.item
        << YAML::Key << "field" << YAML::Value << d.field << YAML::Key << "a";
    if (d.inA) out << YAML::Value << d.a; else out << YAML::Value << YAML::Null;
    out << YAML::Key << "b";
    if (d.inB) out << YAML::Value << d.b; else out << YAML::Value << YAML::Null;
    out << YAML::EndMap;
  }
  out << YAML::EndSeq;
  return std::string(out.c_str()) + "\n";
}

std::optional<std::string> LoadForCompare(const std::string& path, ConfigModel& model) {
  std::string lower = path;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool text = lower.size() > 4 && (lower.rfind(".yaml") == lower.size() - 5 || lower.rfind(".yml") == lower.size() - 4);
  // A data file is read to its exact size, a text to the text limit; a device or FIFO not at all.
  const std::size_t limit = text ? kTextFileLimit : kDataFileSize;
  const InputFile in = ReadInputFile(path, limit);
  if (!in.ok()) return DescribeInputFailure(path, in, limit, text ? "a configuration text" : "a data file");
  const std::string& bytes = in.bytes;
  if (!text) {
    RadioImage image{};
    double split = 0.0;
    if (!DecodeDataFile(bytes, image, split))
      return path + " is not a data file: it has " + SizeText(bytes.size()) + ", a data file " + SizeText(kDataFileSize);
    model.Load(image, split);
    return std::nullopt;
  }
  RadioData defaults;
  InitImage(defaults);
  const auto r = ImportText(bytes, defaults.image, defaults.defaultSplit);
  if (!r.errors.empty()) return path + ": " + NoteText(r.errors.front());
  model.Load(r.image, r.split);
  return std::nullopt;
}

std::string SchemaReference() {
  std::string md =
      "# The configuration as text\n\n"
      "Generated by `kp53 export --schema`; do not edit by hand.\n\n"
      "`kp53 export FILE.k53` writes the whole configuration of a radio as YAML, one area after another. "
      "`kp53 import TEXT.yaml -o FILE.k53` enters the fields a text holds onto a base image (`--base`, else "
      "the built-in defaults) through the same rules as the dialogs and the channel grid, then normalises "
      "the image. A field whose text equals what the image already holds is left as it is. A value that the "
      "rules store differently (held within a range, snapped to a step, a character the radio cannot show) "
      "is reported with its line and column and the value that would be stored, and so is a value stored as "
      "it stands that `kp53 verify` would flag where the base had no such finding (a CTCSS tone the radio "
      "lacks, a frequency outside the band); nothing is written unless "
      "`--accept-changes` is given. An unknown key, a wrong type or an impossible value is an error, and "
      "nothing is written.\n\n"
      "Items of a list are keyed by their number (1, 2, ...) or, for the 5-tone formats, by the format's name. "
      "Choices are written as the program shows them, without the blanks around them. A stored value that "
      "no list names is written as `#n`; it cannot be entered back. The areas of the signalling system that "
      "is not selected are not part of the configuration.\n\n"
      "An item whose stored values the rules would not enter as they are (a file from elsewhere, a damaged "
      "table) is exported with an extra key `stored`: the item's bytes in hexadecimal (for `hardware` followed "
      "by the 8 bytes of the default split). They are entered as they are before the item's fields, so that "
      "export and import give back the image byte for byte; a field changed in such an item still goes "
      "through its rule. `kp53 verify` names the values concerned, and import reports what the checks of "
      "`kp53 verify` find in stored bytes (a group of more than 128 channels, a market application with "
      "letters) at their line and column as a change to accept. `rx_step` and `tx_step` appear only where "
      "a channel's frequency is stored with the other step than the grid would choose.\n\n"
      "Areas are entered in this order: identity, hardware, option, signalling, paging and page codes, groups, "
      "channels, then the rest, so that a change of band, option board or signalling system (which reset "
      "channels) comes before the channels.\n";
  ConfigModel m;
  RadioData fresh;
  InitImage(fresh);
  m.Load(fresh.image, fresh.defaultSplit);
  for (const Section& sec : Schema()) {
    md += "\n## `" + sec.name + "`: " + sec.title + "\n\n";
    if (sec.count > 0)
      md += sec.itemNames.empty() ? Format("Items 1 to %d.\n\n", sec.count) : "Items by name.\n\n";
    md += "| Field | Values | Meaning |\n|---|---|---|\n";
    for (const Field& f : sec.fields) {
      std::string values;
      for (const auto& c : f.choices) values += (values.empty() ? "`" : ", `") + c + "`";
      if (values.empty()) {
        const std::string example = f.get(m, 0);
        values = "e.g. `" + (example.empty() ? std::string("\"\"") : example) + "`";
      }
      std::string help = f.help;
      for (auto pos = help.find('|'); pos != std::string::npos; pos = help.find('|', pos + 2)) help.replace(pos, 1, "\\|");
      md += "| `" + f.name + "` | " + values + " | " + help + " |\n";
    }
  }
  md += "\n## Example\n\nA new image, with the first item of every list (5-tone selected):\n\n```yaml\n" + Emit(m, 1) + "```\n";
  return md;
}

}  // namespace kp53::config
