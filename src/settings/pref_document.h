// A preference file in memory: the ordered list of group, comment and key
// entries, the selected section, and the rewrite that normalises the file.
// Pure logic on bytes; opening, locking and writing files is pref_file's job.
//
// Text handed in and out is 8-bit (Windows-1251). In UTF-8 mode the entries
// hold the file's own UTF-8 bytes and the conversion happens at this boundary.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumiglow {

enum class PrefMode { kPlain, kUtf8 };

struct PrefEntry {
  enum class Kind { kGroup, kComment, kKey };
  Kind kind = Kind::kKey;
  std::string name;   // group name, comment text or key
  std::string value;  // keys only
};

class PrefDocument {
 public:
  PrefDocument() = default;
  // A leading EF BB BF selects UTF-8 mode (and is not part of the entries).
  static PrefDocument Parse(std::string_view bytes);

  PrefMode Mode() const { return mode_; }
  const std::vector<PrefEntry>& Entries() const { return entries_; }

  // Empty name: the global section. Otherwise the first group of that name, or
  // (false) the name is kept pending and reads give their defaults until the
  // first write creates the group at the end.
  bool SelectGroup(std::string_view name);
  // The value with blanks trimmed on both sides, as 8-bit text; nullopt when
  // the key is absent from the selected section.
  std::optional<std::string> ReadText(std::string_view key) const;
  // Replaces the first matching key's value (and its key text, for letter case)
  // or inserts the key at the end of the selected section.
  void WriteText(std::string_view key, std::string_view value);

  // The whole file as the rewrite produces it: CR LF line ends, "key = value",
  // "; comment", "[group]", and in UTF-8 mode the mark and an empty line first.
  std::string Serialize() const;

 private:
  // Index of the first entry of the selected section and of the entry that ends it.
  std::size_t SectionBegin() const;
  std::size_t SectionEnd() const;
  std::optional<std::size_t> FindKey(std::string_view file_key) const;
  std::string ToFile(std::string_view text) const;

  PrefMode mode_ = PrefMode::kPlain;
  std::vector<PrefEntry> entries_;
  std::optional<std::size_t> selected_group_;
  std::optional<std::string> pending_group_;  // in the file's own encoding
};

// Letters A-Z match a-z; every other byte must be equal.
bool PrefNamesMatch(std::string_view a, std::string_view b);

}  // namespace lumiglow
