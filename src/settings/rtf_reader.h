// A small reader for the RTF of the help, history and authors texts: groups,
// control words, 8-bit text in the document's code page (\ansicpg, or a
// font's \fcharset), \uN with its fallback, paragraphs, line breaks, tabs,
// bold, italic, underline, font size, alignment and the colour table. Font
// tables are read only for their code pages; style sheets, \info, pictures
// and every \* destination are skipped. Any byte sequence is accepted: what is
// not RTF comes out as plain text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumiglow {

struct RtfFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = 24;  // \fs: font size in half points
  int colour = -1;       // 0xRRGGBB, or -1 for the viewer's own text colour
  bool operator==(const RtfFormat&) const = default;
};

// Text is UTF-8; '\n' stands for \line and '\t' for \tab.
struct RtfRun {
  std::string text;
  RtfFormat format;
};

enum class RtfAlign { kLeft, kCentre, kRight, kJustify };

struct RtfParagraph {
  std::vector<RtfRun> runs;
  RtfAlign align = RtfAlign::kLeft;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;
};

RtfDocument ParseRtf(std::string_view bytes);

// The document as an HTML fragment (UTF-8) for a rich-text viewer.
std::string RtfToHtml(const RtfDocument& document);

}  // namespace lumiglow
