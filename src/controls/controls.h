// The Controls store: every control of the main window by its number, with its
// kind, place, range, state, items and texts. It is the state the two threads
// share: the worker reads bars, toggles and boxes every cycle and writes
// threshold bars and box selections; the window binds its widgets to it.
//
// Thread safety: every call may come from any thread. States are single atomic
// values (a read or write is whole, nothing groups several of them); texts and
// items are guarded by one internal mutex. A change made through the store
// raises no control event: it only tells the observer so the window can
// refresh the widget on its own thread.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "controls/control_ids.h"

namespace lumiglow {

enum class ControlKind {
  kNone,          // no control has this number
  kScrollBar,     // position in [minimum, maximum - page]
  kTrackBar,      // position in [minimum, maximum]
  kSpinBox,       // value in [minimum, maximum]
  kToggleButton,  // 0 up, 1 down
  kPushButton,
  kImageButton,
  kComboBox,  // selected index, -1 for none
  kTextLabel,
  kImage,
};

struct ControlGeometry {
  int x = 0, y = 0, w = 0, h = 0;
};

// What a control is created with. Texts are Windows-1251 bytes.
struct ControlSpec {
  int number = -1;
  const char* name = "";
  ControlKind kind = ControlKind::kNone;
  ControlGeometry geometry;
  bool vertical = false;
  int minimum = 0, maximum = 0, page = 0;  // bars: the creation range
  int start = 0;                           // position, toggle state or selection
  std::string text;
  std::string tooltip;
  std::vector<std::string> items;
  int text_colour = 0;  // labels: red + 256*green + 65536*blue
};

enum class ControlChange { kState, kText, kTooltip, kItems, kTextColour };

class Controls {
 public:
  using Observer = std::function<void(int number, ControlChange change)>;

  // Creates every control of the main window at its start state.
  Controls();
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;

  // The specs in creation order (what the window builds its widgets from).
  static const std::vector<ControlSpec>& Table();

  bool Exists(int number) const;
  const ControlSpec& Spec(int number) const;
  ControlKind Kind(int number) const { return Spec(number).kind; }
  // Reachable positions of a bar: a scroll bar created (0, 40, page 1) reaches 0..39.
  int LowestPosition(int number) const;
  int HighestPosition(int number) const;

  // Position (bars), 0/1 (toggles) or selection (combo boxes, -1 none).
  int State(int number) const;
  // Bars keep the nearest end of their range; toggles take 0 or 1; a combo-box
  // index outside its items leaves it with no selection. Notifies the observer.
  void SetState(int number, int value);
  // The same, for a change the user made on the widget itself: no notification.
  void SetStateFromWidget(int number, int value);

  int ItemCount(int number) const;
  std::string ItemText(int number, int index) const;
  void ClearItems(int number);
  void AddItem(int number, std::string text);
  void SetItemText(int number, int index, std::string text);
  // Combo box: the text of the selected item (empty without a selection);
  // any other control: its caption.
  std::string Text(int number) const;
  void SetText(int number, std::string text);
  std::string Tooltip(int number) const;
  void SetTooltip(int number, std::string text);
  int TextColour(int number) const;
  void SetTextColour(int number, int colour);

  // One observer (the window's binding), set before a second thread uses the
  // store. Called on the thread that made the change, after it, with no lock held.
  void SetObserver(Observer observer);

 private:
  struct Entry {
    std::atomic<int> state{0};
    std::atomic<int> text_colour{0};
    std::string text;
    std::string tooltip;
    std::vector<std::string> items;
  };

  int Clamp(int number, int value, int item_count) const;
  void Notify(int number, ControlChange change) const;
  Entry& At(int number);
  const Entry& At(int number) const;

  std::array<Entry, ctl::kHighestNumber + 1> entries_;
  mutable std::mutex mutex_;  // texts and items
  Observer observer_;
};

}  // namespace lumiglow
