#include "controls/controls.h"

#include <algorithm>

namespace lumiglow {
namespace {

const ControlSpec& NoControl() {
  static const ControlSpec none;
  return none;
}

const ControlSpec* SpecIndex(int number) {
  static const auto index = [] {
    std::array<const ControlSpec*, ctl::kHighestNumber + 1> by_number{};
    for (const auto& spec : Controls::Table()) by_number[spec.number] = &spec;
    return by_number;
  }();
  if (number < 0 || number > ctl::kHighestNumber) return nullptr;
  return index[number];
}

}  // namespace

Controls::Controls() {
  for (const auto& spec : Table()) {
    Entry& e = entries_[spec.number];
    e.state = spec.start;
    e.text_colour = spec.text_colour;
    e.text = spec.text;
    e.tooltip = spec.tooltip;
    e.items = spec.items;
  }
}

bool Controls::Exists(int number) const { return SpecIndex(number) != nullptr; }

const ControlSpec& Controls::Spec(int number) const {
  const ControlSpec* spec = SpecIndex(number);
  return spec ? *spec : NoControl();
}

int Controls::LowestPosition(int number) const { return Spec(number).minimum; }

int Controls::HighestPosition(int number) const {
  const ControlSpec& s = Spec(number);
  return s.kind == ControlKind::kScrollBar ? s.maximum - s.page : s.maximum;
}

Controls::Entry& Controls::At(int number) { return entries_[number]; }
const Controls::Entry& Controls::At(int number) const { return entries_[number]; }

int Controls::State(int number) const {
  if (!Exists(number)) return 0;
  return At(number).state.load(std::memory_order_relaxed);
}

int Controls::Clamp(int number, int value, int item_count) const {
  switch (Kind(number)) {
    case ControlKind::kScrollBar:
    case ControlKind::kTrackBar:
    case ControlKind::kSpinBox:
      return std::clamp(value, LowestPosition(number), HighestPosition(number));
    case ControlKind::kToggleButton:
      return value != 0 ? 1 : 0;
    case ControlKind::kComboBox:
      return value >= 0 && value < item_count ? value : -1;
    default:
      return value;
  }
}

void Controls::SetStateFromWidget(int number, int value) {
  if (!Exists(number)) return;
  if (Kind(number) == ControlKind::kComboBox) {
    std::lock_guard lock(mutex_);
    At(number).state = Clamp(number, value, static_cast<int>(At(number).items.size()));
  } else {
    At(number).state = Clamp(number, value, 0);
  }
}

void Controls::SetState(int number, int value) {
  if (!Exists(number)) return;
  SetStateFromWidget(number, value);
  Notify(number, ControlChange::kState);
}

int Controls::ItemCount(int number) const {
  if (!Exists(number)) return 0;
  std::lock_guard lock(mutex_);
  return static_cast<int>(At(number).items.size());
}

std::string Controls::ItemText(int number, int index) const {
  if (!Exists(number)) return {};
  std::lock_guard lock(mutex_);
  const auto& items = At(number).items;
  if (index < 0 || index >= static_cast<int>(items.size())) return {};
  return items[index];
}

void Controls::ClearItems(int number) {
  if (!Exists(number)) return;
  {
    std::lock_guard lock(mutex_);
    At(number).items.clear();
    At(number).state = -1;
  }
  Notify(number, ControlChange::kItems);
}

void Controls::AddItem(int number, std::string text) {
  if (!Exists(number)) return;
  {
    std::lock_guard lock(mutex_);
    At(number).items.push_back(std::move(text));
  }
  Notify(number, ControlChange::kItems);
}

void Controls::SetItemText(int number, int index, std::string text) {
  if (!Exists(number)) return;
  {
    std::lock_guard lock(mutex_);
    auto& items = At(number).items;
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    items[index] = std::move(text);
  }
  Notify(number, ControlChange::kItems);
}

std::string Controls::Text(int number) const {
  if (!Exists(number)) return {};
  std::lock_guard lock(mutex_);
  const Entry& e = At(number);
  if (Kind(number) == ControlKind::kComboBox) {
    const int selected = e.state.load(std::memory_order_relaxed);
    if (selected < 0 || selected >= static_cast<int>(e.items.size())) return {};
    return e.items[selected];
  }
  return e.text;
}

void Controls::SetText(int number, std::string text) {
  if (!Exists(number)) return;
  {
    std::lock_guard lock(mutex_);
    At(number).text = std::move(text);
  }
  Notify(number, ControlChange::kText);
}

std::string Controls::Tooltip(int number) const {
  if (!Exists(number)) return {};
  std::lock_guard lock(mutex_);
  return At(number).tooltip;
}

void Controls::SetTooltip(int number, std::string text) {
  if (!Exists(number)) return;
  {
    std::lock_guard lock(mutex_);
    At(number).tooltip = std::move(text);
  }
  Notify(number, ControlChange::kTooltip);
}

int Controls::TextColour(int number) const {
  if (!Exists(number)) return 0;
  return At(number).text_colour.load(std::memory_order_relaxed);
}

void Controls::SetTextColour(int number, int colour) {
  if (!Exists(number)) return;
  At(number).text_colour = colour;
  Notify(number, ControlChange::kTextColour);
}

void Controls::SetObserver(Observer observer) { observer_ = std::move(observer); }

void Controls::Notify(int number, ControlChange change) const {
  if (observer_) observer_(number, change);
}

}  // namespace lumiglow
