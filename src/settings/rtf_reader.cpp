#include "settings/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "controls/cp1251.h"

namespace lumiglow {
namespace {

constexpr int kMaxGroupDepth = 256;  // deeper groups share the innermost state
constexpr int kMaxWordLength = 32;   // longer letter runs are cut into words
constexpr int kMaxParameterDigits = 10;

enum class Destination { kText, kFontTable, kColourTable, kSkip };

struct GroupState {
  RtfFormat format;
  Destination destination = Destination::kText;
  int code_page = 0;             // 0: the document's code page
  int fallback_count = 1;        // \uc
  bool destination_open = true;  // the next control word may still name a destination
};

// Destinations whose content is not text for the reader.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped =
      " stylesheet info pict object header headerl headerr headerf footer footerl footerr"
      " footerf footnote fldinst listtable listoverridetable revtbl rsidtbl generator filetbl"
      " xmlnstbl themedata colorschememapping latentstyles datastore pgdsctbl bkmkstart bkmkend"
      " author operator title subject keywords comment doccomm company annotation atnid"
      " atnauthor txe ";
  const std::string needle = " " + std::string(word) + " ";
  return kSkipped.find(needle) != std::string_view::npos;
}

// Windows-1252 bytes 0x80..0x9F; the rest of the page is Latin-1.
constexpr std::array<uint16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The Windows code page of a font's \fcharset; 0 keeps the document's.
int CodePageOfCharset(int charset) {
  switch (charset) {
    case 204:
      return 1251;
    case 238:
      return 1250;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 186:
      return 1257;
    case 0:
    case 1:
    default:
      return 0;
  }
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : in_(bytes) { stack_.emplace_back(); }

  RtfDocument Run() {
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      switch (c) {
        case '{':
          OpenGroup();
          break;
        case '}':
          CloseGroup();
          break;
        case '\\':
          ControlSequence();
          break;
        case '\r':
        case '\n':
          break;
        default:
          Character(static_cast<unsigned char>(c));
          break;
      }
    }
    EndParagraph(false);
    return std::move(document_);
  }

 private:
  GroupState& State() { return stack_.back(); }

  void OpenGroup() {
    fallback_left_ = 0;
    if (static_cast<int>(stack_.size()) >= kMaxGroupDepth) {
      ++overflow_depth_;
      return;
    }
    GroupState inner = State();
    inner.destination_open = true;
    stack_.push_back(inner);
  }

  void CloseGroup() {
    fallback_left_ = 0;
    if (overflow_depth_ > 0) {
      --overflow_depth_;
      return;
    }
    if (stack_.size() > 1) stack_.pop_back();  // a stray '}' at the top is ignored
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (IsLetter(c)) {
      ControlWord();
      return;
    }
    ++pos_;
    switch (c) {
      case '\'':
        HexCharacter();
        break;
      case '*':
        State().destination = Destination::kSkip;
        break;
      case '\\':
      case '{':
      case '}':
        Character(static_cast<unsigned char>(c));
        break;
      case '~':
        Emit(0x00A0);
        break;
      case '_':
        Emit(0x2011);
        break;
      case '\r':
      case '\n':
        Word("par", false, 0);
        break;
      default:
        ConsumeFallback();
        break;  // \- \: \| and unknown symbols show nothing
    }
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  void ControlWord() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]) && pos_ - start < kMaxWordLength) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool negative = false, has_parameter = false;
    long long parameter = 0;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    for (int digits = 0; pos_ < in_.size() && IsDigit(in_[pos_]); ++digits, ++pos_) {
      if (digits < kMaxParameterDigits) parameter = parameter * 10 + (in_[pos_] - '0');
      has_parameter = true;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    parameter = std::clamp(negative ? -parameter : parameter, -2147483647LL, 2147483647LL);
    Word(word, has_parameter, static_cast<int>(parameter));
  }

  void Word(std::string_view word, bool has_parameter, int parameter) {
    GroupState& s = State();
    const bool first_in_group = s.destination_open;
    s.destination_open = false;

    // Binary data is skipped whatever the destination.
    if (word == "bin") {
      const std::size_t length = has_parameter && parameter > 0 ? parameter : 0;
      pos_ += std::min(length, in_.size() - pos_);
      return;
    }
    if (word == "uc") {
      s.fallback_count = std::clamp(parameter, 0, 16);
      return;
    }
    if (s.destination == Destination::kSkip) return;

    if (first_in_group || s.destination == Destination::kText) {
      if (word == "fonttbl") {
        s.destination = Destination::kFontTable;
        return;
      }
      if (word == "colortbl") {
        s.destination = Destination::kColourTable;
        colours_.clear();
        PendingColourReset();
        return;
      }
      if (IsSkippedDestination(word)) {
        s.destination = Destination::kSkip;
        return;
      }
    }

    if (s.destination == Destination::kFontTable) {
      if (word == "f")
        font_ = parameter;
      else if (word == "fcharset")
        font_code_pages_[font_] = CodePageOfCharset(parameter);
      else if (word == "cpg")
        font_code_pages_[font_] = parameter;
      return;
    }
    if (s.destination == Destination::kColourTable) {
      const int value = std::clamp(parameter, 0, 255);
      if (word == "red")
        red_ = value, colour_set_ = true;
      else if (word == "green")
        green_ = value, colour_set_ = true;
      else if (word == "blue")
        blue_ = value, colour_set_ = true;
      return;
    }
    TextWord(word, has_parameter, parameter);
  }

  void TextWord(std::string_view word, bool has_parameter, int parameter) {
    GroupState& s = State();
    RtfFormat& f = s.format;
    const bool on = !has_parameter || parameter != 0;
    if (word == "u") {
      Unicode(parameter);
      return;
    }
    if (word == "par" || word == "sect" || word == "page") {
      ConsumeFallback();
      EndParagraph(true);
    } else if (word == "line") {
      EmitConsumingFallback('\n');
    } else if (word == "tab") {
      EmitConsumingFallback('\t');
    } else if (word == "emdash") {
      EmitConsumingFallback(0x2014);
    } else if (word == "endash") {
      EmitConsumingFallback(0x2013);
    } else if (word == "bullet") {
      EmitConsumingFallback(0x2022);
    } else if (word == "lquote") {
      EmitConsumingFallback(0x2018);
    } else if (word == "rquote") {
      EmitConsumingFallback(0x2019);
    } else if (word == "ldblquote") {
      EmitConsumingFallback(0x201C);
    } else if (word == "rdblquote") {
      EmitConsumingFallback(0x201D);
    } else {
      ConsumeFallback();
      if (word == "ansicpg")
        document_code_page_ = parameter;
      else if (word == "b")
        f.bold = on;
      else if (word == "i")
        f.italic = on;
      else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw")
        f.underline = on;
      else if (word == "ulnone")
        f.underline = false;
      else if (word == "fs")
        f.half_points = std::clamp(has_parameter ? parameter : 24, 2, 400);
      else if (word == "cf")
        f.colour = ColourAt(parameter);
      else if (word == "plain")
        f = RtfFormat(), s.code_page = 0;
      else if (word == "f")
        s.code_page = FontCodePage(parameter);
      else if (word == "pard")
        align_ = RtfAlign::kLeft;
      else if (word == "ql")
        align_ = RtfAlign::kLeft;
      else if (word == "qc")
        align_ = RtfAlign::kCentre;
      else if (word == "qr")
        align_ = RtfAlign::kRight;
      else if (word == "qj")
        align_ = RtfAlign::kJustify;
    }
  }

  int ColourAt(int index) const {
    if (index < 0 || index >= static_cast<int>(colours_.size())) return -1;
    return colours_[index];
  }

  int FontCodePage(int font) const {
    const auto found = font_code_pages_.find(font);
    return found == font_code_pages_.end() ? 0 : found->second;
  }

  void PendingColourReset() {
    red_ = green_ = blue_ = 0;
    colour_set_ = false;
  }

  void HexCharacter() {
    int value = 0;
    for (int i = 0; i < 2; ++i) {
      if (pos_ >= in_.size()) return;
      const char h = in_[pos_];
      int digit;
      if (IsDigit(h))
        digit = h - '0';
      else if (h >= 'a' && h <= 'f')
        digit = h - 'a' + 10;
      else if (h >= 'A' && h <= 'F')
        digit = h - 'A' + 10;
      else
        return;  // a broken escape shows nothing
      ++pos_;
      value = value * 16 + digit;
    }
    Character(static_cast<unsigned char>(value));
  }

  void Character(unsigned char byte) {
    GroupState& s = State();
    if (s.destination == Destination::kSkip) return;
    if (s.destination == Destination::kColourTable) {
      if (byte == ';') {
        colours_.push_back(colour_set_ ? (red_ << 16) | (green_ << 8) | blue_ : -1);
        PendingColourReset();
      }
      return;
    }
    if (s.destination == Destination::kFontTable) return;  // font names are not needed
    s.destination_open = false;
    if (fallback_left_ > 0) {
      --fallback_left_;
      return;
    }
    if (byte < 0x20) {
      if (byte == '\t') Emit('\t');
      return;  // other control bytes show nothing
    }
    Emit(Decode(byte, s.code_page != 0 ? s.code_page : document_code_page_));
  }

  static uint32_t Decode(unsigned char byte, int code_page) {
    if (byte < 0x80) return byte;
    if (code_page == 1251) {
      const std::string utf8 = Utf8FromCp1251(std::string(1, static_cast<char>(byte)));
      return Utf8Decode(utf8);
    }
    // Code pages without a table here read as Windows-1252.
    if (byte < 0xA0) return kCp1252High[byte - 0x80];
    return byte;
  }

  static uint32_t Utf8Decode(const std::string& utf8) {
    if (utf8.empty()) return 0xFFFD;
    const auto b0 = static_cast<unsigned char>(utf8[0]);
    if (b0 < 0x80) return b0;
    if (utf8.size() >= 2 && (b0 & 0xE0) == 0xC0)
      return ((b0 & 0x1F) << 6) | (static_cast<unsigned char>(utf8[1]) & 0x3F);
    if (utf8.size() >= 3 && (b0 & 0xF0) == 0xE0)
      return ((b0 & 0x0F) << 12) | ((static_cast<unsigned char>(utf8[1]) & 0x3F) << 6) |
             (static_cast<unsigned char>(utf8[2]) & 0x3F);
    return 0xFFFD;
  }

  void Unicode(int parameter) {
    ConsumeFallback();
    uint32_t code = static_cast<uint32_t>(parameter < 0 ? parameter + 65536 : parameter) & 0xFFFF;
    if (code >= 0xD800 && code <= 0xDBFF) {
      Emit(0);  // settles a lone high half before this one
      high_surrogate_ = code;
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      const uint32_t high = high_surrogate_;
      high_surrogate_ = 0;
      Emit(high != 0 ? 0x10000 + ((high - 0xD800) << 10) + (code - 0xDC00) : 0xFFFD);
    } else if (code != 0) {
      Emit(code);
    }
    fallback_left_ = State().fallback_count;
  }

  // A control word inside a \u fallback counts as one of its characters.
  void ConsumeFallback() {
    if (fallback_left_ > 0) --fallback_left_;
  }

  void EmitConsumingFallback(uint32_t code) {
    if (fallback_left_ > 0) {
      --fallback_left_;
      return;
    }
    Emit(code);
  }

  // Code 0 only settles a pending high half.
  void Emit(uint32_t code) {
    if (State().destination != Destination::kText) return;
    if (high_surrogate_ != 0) {  // a high half not followed by its low half
      high_surrogate_ = 0;
      AppendText(0xFFFD);
    }
    if (code != 0) AppendText(code);
  }

  void AppendText(uint32_t code) {
    auto& runs = paragraph_.runs;
    const RtfFormat& f = State().format;
    if (runs.empty() || !(runs.back().format == f)) runs.push_back(RtfRun{{}, f});
    AppendUtf8(runs.back().text, code);
  }

  void EndParagraph(bool explicit_end) {
    if (!explicit_end && paragraph_.runs.empty()) return;
    if (State().destination != Destination::kText && explicit_end) return;
    paragraph_.align = align_;
    document_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = RtfParagraph();
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  int overflow_depth_ = 0;
  int document_code_page_ = 1252;
  int fallback_left_ = 0;
  uint32_t high_surrogate_ = 0;
  int font_ = 0;
  std::map<int, int> font_code_pages_;
  std::vector<int> colours_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colour_set_ = false;
  RtfAlign align_ = RtfAlign::kLeft;
  RtfParagraph paragraph_;
  RtfDocument document_;
};

void AppendEscaped(std::string& html, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\n':
        html += "<br>";
        break;
      case '\t':
        html += "&#8195;&#8195;";
        break;
      default:
        html += c;
        break;
    }
  }
}

std::string HexColour(int rgb) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out = "#";
  for (int shift = 20; shift >= 0; shift -= 4) out += kDigits[(rgb >> shift) & 0xF];
  return out;
}

const char* AlignName(RtfAlign align) {
  switch (align) {
    case RtfAlign::kCentre:
      return "center";
    case RtfAlign::kRight:
      return "right";
    case RtfAlign::kJustify:
      return "justify";
    case RtfAlign::kLeft:
    default:
      return "left";
  }
}

}  // namespace

RtfDocument ParseRtf(std::string_view bytes) {
  return Reader(bytes).Run();
}

std::string RtfToHtml(const RtfDocument& document) {
  std::string html;
  for (const RtfParagraph& p : document.paragraphs) {
    html += "<p style=\"margin-top:0; margin-bottom:0; text-align:";
    html += AlignName(p.align);
    html += "\">";
    if (p.runs.empty()) html += "&#160;";
    for (const RtfRun& run : p.runs) {
      const RtfFormat& f = run.format;
      html += "<span style=\"font-size:" + std::to_string(f.half_points / 2) +
              (f.half_points % 2 ? ".5" : "") + "pt";
      if (f.bold) html += "; font-weight:bold";
      if (f.italic) html += "; font-style:italic";
      if (f.underline) html += "; text-decoration:underline";
      if (f.colour >= 0) html += "; color:" + HexColour(f.colour);
      html += "\">";
      AppendEscaped(html, run.text);
      html += "</span>";
    }
    html += "</p>";
  }
  return html;
}

}  // namespace lumiglow
