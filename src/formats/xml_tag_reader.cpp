#include "formats/xml_tag_reader.h"

#include <string_view>
#include <utility>

#include "platform/text_case.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Every character but those that the items never keep.
void AppendKept(std::string& to, std::string_view text) {
  for (const char c : text)
    if (c != '\0' && c != '\t' && c != '\n' && c != '\r') to += c;
}

class TagParser {
 public:
  TagParser(std::string_view text, const XmlTagLimits& limits) : text_(text), limits_(limits) {}

  std::vector<XmlTagItem> Parse() {
    while (at_ < text_.size()) {
      if (text_[at_] != '<')
        Text();
      else if (StartsWith("<!--"))
        SkipPast("-->", at_ + 4);
      else if (StartsWith("<![CDATA["))
        CharacterData();
      else if (StartsWith("<?"))
        SkipPast("?>", at_ + 2);
      else if (StartsWith("<!"))
        Declaration();
      else if (StartsWith("</"))
        ClosingTag();
      else
        OpeningTag();
    }
    return std::move(items_);
  }

 private:
  struct OpenElement {
    std::size_t Item;
    std::string_view Tag;
  };

  bool StartsWith(std::string_view prefix) const { return text_.substr(at_, prefix.size()) == prefix; }
  std::size_t Find(std::string_view what, std::size_t from) const {
    const std::size_t found = text_.find(what, from);
    return found == std::string_view::npos ? text_.size() : found;
  }
  void SkipPast(std::string_view end, std::size_t from) {
    at_ = std::min(text_.size(), Find(end, from) + end.size());
  }
  void SkipBlanks() {
    while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
  }
  // Text belongs to the innermost open element; outside the root it is lost.
  void AddText(std::string_view text) {
    if (!open_.empty()) AppendKept(items_[open_.back().Item].Value, text);
  }

  void Text() {
    const std::size_t end = Find("<", at_);
    AddText(text_.substr(at_, end - at_));
    at_ = end;
  }

  void CharacterData() {
    const std::size_t from = at_ + 9;
    const std::size_t end = Find("]]>", from);
    AddText(text_.substr(from, end - from));
    at_ = std::min(text_.size(), end + 3);
  }

  // <!DOCTYPE ...> and the like, with quoted strings and an internal subset
  // in brackets.
  void Declaration() {
    int brackets = 0;
    char quote = 0;
    for (at_ += 2; at_ < text_.size(); ++at_) {
      const char c = text_[at_];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '[') {
        ++brackets;
      } else if (c == ']') {
        --brackets;
      } else if (c == '>' && brackets <= 0) {
        ++at_;
        return;
      }
    }
  }

  std::string_view Name() {
    const std::size_t from = at_;
    while (at_ < text_.size() && !IsBlank(text_[at_]) && text_[at_] != '/' && text_[at_] != '>' &&
           text_[at_] != '=')
      ++at_;
    return text_.substr(from, at_ - from);
  }

  // Closes the innermost open element of that name and those opened inside
  // it; the depth limit bounds the search.
  void ClosingTag() {
    at_ += 2;
    const std::string_view tag = Name();
    SkipPast(">", at_);
    for (std::size_t k = open_.size(); k-- > 0;) {
      if (nv::platform::SameTextIgnoringCase(open_[k].Tag, tag)) {
        items_[open_[k].Item].Closed = true;
        open_.resize(k);
        return;
      }
    }
  }

  void AppendToName(XmlTagItem& item, std::string_view name) {
    if (item.Name.size() + name.size() > limits_.MaxNameLength)
      throw EStreamError("XML tag name longer than " + std::to_string(limits_.MaxNameLength) + " characters");
    item.Name += name;
  }

  void OpeningTag() {
    ++at_;
    const std::string_view tag = Name();
    if (tag.empty()) {  // a "<" that opens nothing is text
      AddText("<");
      return;
    }
    const int depth = static_cast<int>(open_.size()) + 1;
    if (depth > limits_.MaxDepth)
      throw EStreamError("XML elements nested deeper than " + std::to_string(limits_.MaxDepth) + " levels");
    if (items_.size() >= limits_.MaxItems)
      throw EStreamError("XML document with more than " + std::to_string(limits_.MaxItems) + " elements");
    items_.emplace_back();
    const std::size_t index = items_.size() - 1;
    items_[index].Depth = depth;
    AppendToName(items_[index], tag);
    while (true) {
      SkipBlanks();
      if (at_ >= text_.size() || text_[at_] == '>') {
        at_ = std::min(text_.size(), at_ + 1);
        open_.push_back({index, tag});
        return;
      }
      if (StartsWith("/>")) {
        at_ += 2;
        items_[index].Closed = true;
        return;
      }
      if (text_[at_] == '/' || text_[at_] == '=') {  // stray; passed over
        ++at_;
        continue;
      }
      Attribute(items_[index]);
    }
  }

  void Attribute(XmlTagItem& item) {
    AppendToName(item, Name());
    item.HasAttributes = true;
    SkipBlanks();
    if (at_ >= text_.size() || text_[at_] != '=') return;
    ++at_;
    SkipBlanks();
    if (at_ < text_.size() && (text_[at_] == '"' || text_[at_] == '\'')) {
      const std::size_t from = at_ + 1;
      const std::size_t end = Find(std::string_view(&text_[at_], 1), from);
      AppendKept(item.Value, text_.substr(from, end - from));
      at_ = std::min(text_.size(), end + 1);
    } else {
      AppendKept(item.Value, Name());
    }
  }

  std::string_view text_;
  const XmlTagLimits& limits_;
  std::size_t at_ = 0;
  std::vector<XmlTagItem> items_;
  std::vector<OpenElement> open_;
};

}  // namespace

std::vector<XmlTagItem> ReadXmlTags(ByteStream& stream, const XmlTagLimits& limits) {
  const std::int64_t size = stream.Remaining();
  if (size > limits.MaxBytes)
    throw EStreamError("XML document larger than " + std::to_string(limits.MaxBytes) + " bytes");
  std::string text(static_cast<std::size_t>(size), '\0');
  stream.ReadBuffer(text.data(), text.size());
  return TagParser(text, limits).Parse();
}
