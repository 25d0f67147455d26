// The auxiliary windows: the authors, help and history texts beside their
// picture, and the wiring scheme of the parallel port. Each has a title bar
// only and is closed by its OK button; opening one that is open replaces it.
// A close request that reaches one of them by other means (a window-manager
// shortcut) is the program's close request.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

namespace lumiglow {

class AuxWindows {
 public:
  // Window numbers.
  static constexpr int kAuthorsWindow = 1, kHelpWindow = 2, kHistoryWindow = 3,
                       kLptSchemeWindow = 4;
  // OK button numbers.
  static constexpr int kAuthorsOk = 71, kHelpOk = 73, kHistoryOk = 75, kLptSchemeOk = 85;

  // `on_ok(button)` runs for an OK button; `on_close_request` for any other close.
  AuxWindows(std::function<void(int button)> on_ok, std::function<void()> on_close_request);
  ~AuxWindows();

  // Opens AuthorsWindow, HelpWindow or HistoryWindow with `title` and the RTF
  // text of `file_name` (opened by bare name; missing means an empty viewer).
  void ShowTextWindow(int window, const std::string& title, const std::string& file_name);
  void ShowLptSchemeWindow(const std::string& title);
  void CloseWindow(int window);
  QWidget* Window(int window) const;

  // The text file of a window: language prefix + "_avtori.rtf", "_spravka.rtf"
  // or "_histori.rtf".
  static std::string TextFileName(int window, const std::string& language_box_text);

 private:
  QWidget* Open(int window, const std::string& title, int width, int height);

  std::array<QPointer<QWidget>, 5> windows_;
  std::function<void(int)> on_ok_;
  std::function<void()> on_close_request_;
};

// The first 7 characters of the language's name, all of it when shorter.
std::string LanguagePrefix(const std::string& language_box_text);

// LoadRtfFile: fills the viewer with the RTF of the file; a file that does not
// open leaves it empty.
void LoadRtfFile(QTextBrowser* viewer, const std::string& file_name);

}  // namespace lumiglow
