// The main window: every control of the store as a widget at its place, the
// 18 band indicators, and the binding between the widgets and the store.
//
// Program-made changes reach the store from either thread; the window shows
// them on its own thread (at once when made there, queued otherwise) without
// raising control events. User actions update the store first, then reach the
// listener as control events.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>

#include "app/window/app_actions.h"
#include "app/window/band_indicator.h"
#include "controls/controls.h"

namespace lumiglow {

class Engine;

struct ControlEvent {
  int number = -1;
  bool selection_changed = false;  // combo boxes: the user chose another item
  bool right_click = false;        // band indicators
};

class WindowListener {
 public:
  virtual ~WindowListener() = default;
  virtual void OnControlEvent(const ControlEvent& event) = 0;
  virtual void OnMinimised() = 0;
  virtual void OnMoved() = 0;
  virtual void OnCloseRequested() = 0;
};

class MainWindow : public QWidget {
 public:
  static constexpr int kNarrowWidth = 180;
  static constexpr int kWideWidth = 340;
  static constexpr int kHeight = 285;

  // The controls are built later, group by group, between other start-up steps.
  enum class ControlGroup {
    kBarsAndModeBox,  // the threshold bars and ModeBox
    kPanels,          // BrightBar .. ComPortBox
    kEffectBox,
    kPinsAndIndicators,  // pin labels, pin boxes, band indicators
  };

  // Opens the window hidden at (x, y), inner size 180 x 285, title "Lumiglow".
  MainWindow(Controls& controls, Engine& engine, WindowListener& listener, int x, int y);
  ~MainWindow() override;

  void BuildControls(ControlGroup group);

  // The widget of control `number`, or null before it is built.
  QWidget* Control(int number) const;
  BandIndicator* Indicator(int channel) const;

  // ExpandButton: 180 <-> 340, the height and the position stay.
  void ToggleWidth();
  WindowPosition Position() const;
  // Shows the indicator copies the engine made since the last call.
  void RefreshIndicators();

 protected:
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Bind(QWidget* widget, int number);
  void OnStoreChange(int number);
  void Refresh(int number);
  void Emit(ControlEvent event);

  Controls& controls_;
  Engine& engine_;
  WindowListener& listener_;
  std::array<QWidget*, ctl::kHighestNumber + 1> widgets_{};
  std::array<std::atomic<bool>, ctl::kHighestNumber + 1> refresh_pending_{};
  QTimer indicator_timer_;
  uint64_t indicators_shown_ = 0;
};

}  // namespace lumiglow
