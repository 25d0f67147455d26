#include "settings/pref_document.h"

#include "settings/latin1_utf8.h"

namespace lumiglow {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

std::string_view TrimLeft(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

PrefEntry ParseLine(std::string_view line) {
  PrefEntry entry;
  if (line.front() == ';') {
    entry.kind = PrefEntry::Kind::kComment;
    std::string_view text = line.substr(1);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    entry.name = text;
  } else if (line.front() == '[') {
    entry.kind = PrefEntry::Kind::kGroup;
    const std::string_view rest = line.substr(1);
    entry.name = rest.substr(0, rest.find(']'));
  } else {
    entry.kind = PrefEntry::Kind::kKey;
    const std::size_t equals = line.find('=');
    entry.name = TrimRight(line.substr(0, equals));
    if (equals != std::string_view::npos) entry.value = TrimLeft(line.substr(equals + 1));
  }
  return entry;
}

}  // namespace

bool PrefNamesMatch(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

PrefDocument PrefDocument::Parse(std::string_view bytes) {
  PrefDocument doc;
  if (bytes.size() >= 3 && bytes.substr(0, 3) == kByteOrderMark) {
    doc.mode_ = PrefMode::kUtf8;
    bytes.remove_prefix(3);
  }
  std::size_t i = 0;
  while (i < bytes.size()) {
    while (i < bytes.size() && IsLineEnd(bytes[i])) ++i;
    const std::size_t start = i;
    while (i < bytes.size() && !IsLineEnd(bytes[i])) ++i;
    const std::string_view line = TrimLeft(bytes.substr(start, i - start));
    if (!line.empty()) doc.entries_.push_back(ParseLine(line));
  }
  return doc;
}

std::string PrefDocument::ToFile(std::string_view text) const {
  return mode_ == PrefMode::kUtf8 ? Utf8FromLatin1(text) : std::string(text);
}

std::size_t PrefDocument::SectionBegin() const {
  return selected_group_ ? *selected_group_ + 1 : 0;
}

std::size_t PrefDocument::SectionEnd() const {
  std::size_t i = SectionBegin();
  while (i < entries_.size() && entries_[i].kind != PrefEntry::Kind::kGroup) ++i;
  return i;
}

std::optional<std::size_t> PrefDocument::FindKey(std::string_view file_key) const {
  const std::size_t end = SectionEnd();
  for (std::size_t i = SectionBegin(); i < end; ++i) {
    const PrefEntry& e = entries_[i];
    if (e.kind == PrefEntry::Kind::kKey && PrefNamesMatch(e.name, file_key)) return i;
  }
  return std::nullopt;
}

bool PrefDocument::SelectGroup(std::string_view name) {
  if (name.empty()) {
    selected_group_.reset();
    pending_group_.reset();
    return true;
  }
  const std::string file_name = ToFile(name);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].kind == PrefEntry::Kind::kGroup &&
        PrefNamesMatch(entries_[i].name, file_name)) {
      selected_group_ = i;
      pending_group_.reset();
      return true;
    }
  }
  pending_group_ = file_name;
  return false;
}

std::optional<std::string> PrefDocument::ReadText(std::string_view key) const {
  if (pending_group_) return std::nullopt;
  const auto index = FindKey(ToFile(key));
  if (!index) return std::nullopt;
  std::string_view value = TrimLeft(entries_[*index].value);
  std::string text = mode_ == PrefMode::kUtf8 ? Latin1FromUtf8(value) : std::string(value);
  text.resize(TrimRight(text).size());
  return text;
}

void PrefDocument::WriteText(std::string_view key, std::string_view value) {
  const std::string file_key = ToFile(key);
  std::string file_value = ToFile(value);
  if (pending_group_) {
    entries_.push_back({PrefEntry::Kind::kGroup, std::move(*pending_group_), {}});
    pending_group_.reset();
    selected_group_ = entries_.size() - 1;
  }
  if (const auto index = FindKey(file_key)) {
    entries_[*index].name = file_key;
    entries_[*index].value = std::move(file_value);
    return;
  }
  // The end of the section: before the next group line, or at the very end.
  const auto at = entries_.begin() + static_cast<std::ptrdiff_t>(SectionEnd());
  entries_.insert(at, {PrefEntry::Kind::kKey, file_key, std::move(file_value)});
}

std::string PrefDocument::Serialize() const {
  std::string out;
  if (mode_ == PrefMode::kUtf8) {
    out += kByteOrderMark;
    out += "\r\n";
  }
  for (const PrefEntry& e : entries_) {
    switch (e.kind) {
      case PrefEntry::Kind::kGroup:
        out += '[';
        out += e.name;
        out += ']';
        break;
      case PrefEntry::Kind::kComment:
        out += "; ";
        out += e.name;
        break;
      case PrefEntry::Kind::kKey:
        out += e.name;
        out += " = ";
        out += e.value;
        break;
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace lumiglow
