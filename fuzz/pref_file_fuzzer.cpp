// Any bytes as a preference file: parsing, lookups, writes and the rewrite must
// end without a crash or sanitizer report, and a rewritten file must read back
// as the same entries (the rewrite is its own fixed point).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/latin1_utf8.h"
#include "settings/pref_document.h"

namespace {

using lumiglow::PrefDocument;

void Check(bool condition) {
  if (!condition) std::abort();
}

// A key the file syntax can hold: no line break, "=", blanks at its ends, and
// not starting like a comment or a group.
std::string KeyFrom(std::string_view bytes) {
  std::string key;
  for (char c : bytes.substr(0, 12))
    if (c != '\r' && c != '\n' && c != '=' && c != ' ' && c != '\t' && c != ';' && c != '[')
      key += c;
  return key.empty() ? "k" : key;
}

// A group name the syntax can hold: a key that holds no "]" either.
std::string GroupFrom(std::string_view bytes) {
  std::string group = KeyFrom(bytes);
  std::erase(group, ']');
  return group;
}

// A value that reads back as written: no line break, no blanks at its ends.
std::string ValueFrom(std::string_view bytes) {
  std::string value;
  for (char c : bytes.substr(0, 40))
    if (c != '\r' && c != '\n') value += c;
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
  return value;
}

// A plain file whose first entry begins with the mark's bytes reads as UTF-8
// once rewritten; every other rewrite reads back as the same entries.
void CheckRewriteReadsBack(const PrefDocument& document) {
  const auto& entries = document.Entries();
  if (document.Mode() == lumiglow::PrefMode::kPlain && !entries.empty() &&
      entries.front().name.starts_with("\xEF\xBB\xBF"))
    return;
  const std::string rewritten = document.Serialize();
  Check(PrefDocument::Parse(rewritten).Serialize() == rewritten);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  PrefDocument document = PrefDocument::Parse(bytes);
  CheckRewriteReadsBack(document);

  for (const char* key : {"Level", "X_form", "ac15", "", "fr1"}) document.ReadText(key);
  document.SelectGroup(GroupFrom(bytes.substr(size / 2)));
  document.ReadText(KeyFrom(bytes));

  const std::string key = KeyFrom(bytes.substr(size / 3));
  const std::string value = ValueFrom(bytes.substr(size / 4));
  document.WriteText(key, value);
  Check(document.ReadText(key) == value);
  CheckRewriteReadsBack(document);

  Check(lumiglow::Latin1FromUtf8(lumiglow::Utf8FromLatin1(bytes)) == bytes);
  lumiglow::Latin1FromUtf8(bytes);
  return 0;
}
