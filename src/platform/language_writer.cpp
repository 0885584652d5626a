#include "platform/language_writer.h"

#include <algorithm>
#include <memory>
#include <span>

namespace nv::platform {

namespace {

class Out {
 public:
  std::vector<std::uint8_t> bytes;

  void U8(std::uint8_t v) { bytes.push_back(v); }
  void U16(std::size_t v, const char* what) {
    if (v > 0xFFFF) throw LanguageWriteError(std::string(what) + " over 65535: " + std::to_string(v));
    bytes.push_back(static_cast<std::uint8_t>(v));
    bytes.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint64_t v) {
    if (v > 0xFFFFFFFFu) throw LanguageWriteError("language file over 4 GB");
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  void Text(const std::string& text, const char* what) {
    U16(text.size(), what);
    bytes.insert(bytes.end(), text.begin(), text.end());
  }
  void PatchU16(std::size_t at, std::size_t v) {
    bytes[at] = static_cast<std::uint8_t>(v);
    bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  void PatchU32(std::size_t at, std::uint64_t v) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
  }
};

struct Node {
  std::uint8_t c = 0;
  int form = -1;     // index of the form whose key ends here
  int creator = -1;  // index of the form whose key made the node
  std::unique_ptr<Node> low, equal, high;
  std::size_t at = 0;  // data offset once written
};

void Insert(std::unique_ptr<Node>& slot, const std::string& key, std::size_t i, int form) {
  const auto c = static_cast<std::uint8_t>(key[i]);
  if (!slot) {
    slot = std::make_unique<Node>();
    slot->c = c;
    slot->creator = form;
  }
  if (c < slot->c) return Insert(slot->low, key, i, form);
  if (c > slot->c) return Insert(slot->high, key, i, form);
  if (i + 1 == key.size()) {
    slot->form = form;
    return;
  }
  Insert(slot->equal, key, i + 1, form);
}

// Inserts the sorted keys median first, so each level splits its keys evenly.
void InsertBalanced(std::unique_ptr<Node>& root, const std::vector<LanguageForm>& forms, std::size_t from,
                    std::size_t to) {
  if (from >= to) return;
  const std::size_t middle = from + (to - from) / 2;
  Insert(root, forms[middle].key, 0, static_cast<int>(middle));
  InsertBalanced(root, forms, from, middle);
  InsertBalanced(root, forms, middle + 1, to);
}

// Writes a node and its subtrees (node, low, equal, high); links and record
// offsets are patched once known.
void WriteTree(Out& out, Node& node, const std::vector<LanguageForm>& forms,
               std::vector<std::pair<std::size_t, int>>& recordFields) {
  node.at = out.bytes.size();
  out.U8(node.c);
  recordFields.emplace_back(out.bytes.size(), node.form);
  out.U32(LanguageImage::kNoRecord);
  const std::size_t links = out.bytes.size();
  out.U16(0, "link");
  out.U16(0, "link");
  out.U16(0, "link");
  Node* children[] = {node.low.get(), node.equal.get(), node.high.get()};
  for (int k = 0; k < 3; ++k) {
    if (!children[k]) continue;
    const std::size_t field = links + 2 * k;
    WriteTree(out, *children[k], forms, recordFields);
    const std::size_t distance = children[k]->at - field;
    if (distance > 0xFFFF)
      throw LanguageWriteError("tree link over 65535 bytes", forms[children[k]->creator].key);
    out.PatchU16(field, distance);
  }
}

void WriteEntry(Out& out, const LanguageEntry& entry) {
  out.Text(entry.path, "path length");
  out.U8(entry.kind);
  switch (entry.kind) {
    case 1:
    case 10:
      out.Text(entry.text, "text length");
      break;
    case 2:
      out.U16(entry.lines.size(), "line count");
      for (const auto& line : entry.lines) out.Text(line, "text length");
      break;
    case 3:
      out.Text(entry.text, "font name length");
      out.U16(entry.charset, "character set");
      out.U16(entry.pointSize, "font size");
      break;
    default:
      break;
  }
}

void WriteRecord(Out& out, const LanguageForm& form) {
  const std::size_t start = out.bytes.size();
  out.U32(0);
  out.U16(form.entries.size(), "entry count");
  for (const auto& entry : form.entries) WriteEntry(out, entry);
  out.PatchU32(start, out.bytes.size() - start - 4);
  out.U16(form.texts.size(), "text count");
  const std::size_t offsets = out.bytes.size();
  for (std::size_t i = 0; i < form.texts.size(); ++i) out.U32(0);
  for (std::size_t i = 0; i < form.texts.size(); ++i) {
    out.PatchU32(offsets + 4 * i, out.bytes.size() - start);
    out.Text(form.texts[i], "text length");
  }
}

}  // namespace

std::vector<std::uint8_t> WriteLanguageFile(const LanguageFileHeader& header, std::vector<LanguageForm> forms) {
  std::ranges::sort(forms, {}, &LanguageForm::key);
  for (std::size_t i = 0; i < forms.size(); ++i) {
    if (forms[i].key.empty()) throw LanguageWriteError("empty form key");
    if (i > 0 && forms[i].key == forms[i - 1].key) throw LanguageWriteError("duplicate form key " + forms[i].key);
  }
  Out data;
  std::unique_ptr<Node> root;
  InsertBalanced(root, forms, 0, forms.size());
  std::vector<std::pair<std::size_t, int>> recordFields;
  // Without forms the tree is one node where no key ends, so the file still
  // has the root the reader looks for.
  if (!root) root = std::make_unique<Node>();
  WriteTree(data, *root, forms, recordFields);
  std::vector<std::size_t> recordAt(forms.size());
  for (std::size_t i = 0; i < forms.size(); ++i) {
    recordAt[i] = data.bytes.size();
    WriteRecord(data, forms[i]);
  }
  for (const auto& [field, form] : recordFields)
    if (form >= 0) data.PatchU32(field, recordAt[form]);

  Out file;
  file.Text(header.text1, "header text length");
  file.U8(header.format);
  file.Text(header.text2, "header text length");
  file.bytes.insert(file.bytes.end(), data.bytes.begin(), data.bytes.end());
  return file.bytes;
}

}  // namespace nv::platform
