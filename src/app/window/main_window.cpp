#include "app/window/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QMoveEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QThread>

#include "app/window/control_widgets.h"
#include "engine/engine.h"

namespace lumiglow {
namespace {

MainWindow::ControlGroup GroupOf(int number) {
  using G = MainWindow::ControlGroup;
  if (number >= ctl::kThresholdBar1 && number <= ctl::kModeBox) return G::kBarsAndModeBox;
  if (number == ctl::kEffectBox) return G::kEffectBox;
  if ((number >= ctl::kPinBox1 && number < ctl::kPinBox1 + 18) ||
      (number >= ctl::kPinLabel1 && number < ctl::kPinLabel1 + 18) ||
      number >= ctl::kBandIndicator1)
    return G::kPinsAndIndicators;
  return G::kPanels;
}

constexpr int kIndicatorPollMs = 25;
constexpr int kFontPixels = 10;

}  // namespace

MainWindow::MainWindow(Controls& controls, Engine& engine, WindowListener& listener, int x, int y)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint),
      controls_(controls),
      engine_(engine),
      listener_(listener) {
  setWindowTitle(QStringLiteral("Lumiglow"));
  setFixedSize(kNarrowWidth, kHeight);
  // The controls keep their pixel places, so the texts take a small face to fit them.
  QFont small = font();
  small.setPixelSize(kFontPixels);
  setFont(small);
  move(x, y);
  controls_.SetObserver([this](int number, ControlChange) { OnStoreChange(number); });
  indicator_timer_.setInterval(kIndicatorPollMs);
  QObject::connect(&indicator_timer_, &QTimer::timeout, this, [this] { RefreshIndicators(); });
}

MainWindow::~MainWindow() {
  controls_.SetObserver(nullptr);
}

void MainWindow::BuildControls(ControlGroup group) {
  for (const ControlSpec& spec : Controls::Table()) {
    if (GroupOf(spec.number) != group) continue;
    QWidget* widget;
    if (spec.kind == ControlKind::kImage) {
      const int number = spec.number;
      widget = new BandIndicator(this, [this, number](bool right) {
        Emit(ControlEvent{number, false, right});
      });
      widget->setGeometry(spec.geometry.x, spec.geometry.y, spec.geometry.w, spec.geometry.h);
      widget->setObjectName(QStringLiteral("control_%1").arg(number));
      widget->setProperty("controlNumber", number);
    } else {
      widget = CreateControlWidget(spec, this);
    }
    if (widget == nullptr) continue;
    widgets_[spec.number] = widget;
    Refresh(spec.number);
    Bind(widget, spec.number);
    widget->show();
  }
  if (group == ControlGroup::kPinsAndIndicators) {
    indicators_shown_ = ~uint64_t{0};
    RefreshIndicators();
    indicator_timer_.start();
  }
}

QWidget* MainWindow::Control(int number) const {
  return number >= 0 && number <= ctl::kHighestNumber ? widgets_[number] : nullptr;
}

BandIndicator* MainWindow::Indicator(int channel) const {
  if (channel < 1 || channel > ctl::kChannelCount) return nullptr;
  return static_cast<BandIndicator*>(widgets_[ctl::BandIndicator(channel)]);
}

void MainWindow::Bind(QWidget* widget, int number) {
  // Bars and number boxes: every new value is the state and an event.
  const auto value_changed = [this, number](int value) {
    controls_.SetStateFromWidget(number, value);
    Emit(ControlEvent{number});
  };
  switch (controls_.Kind(number)) {
    case ControlKind::kScrollBar:
    case ControlKind::kTrackBar:
      QObject::connect(static_cast<QAbstractSlider*>(widget), &QAbstractSlider::valueChanged, this,
                       value_changed);
      break;
    case ControlKind::kSpinBox:
      QObject::connect(static_cast<QSpinBox*>(widget), &QSpinBox::valueChanged, this,
                       value_changed);
      break;
    case ControlKind::kToggleButton:
      QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                       [this, number](bool down) {
                         controls_.SetStateFromWidget(number, down ? 1 : 0);
                         Emit(ControlEvent{number});
                       });
      break;
    case ControlKind::kPushButton:
    case ControlKind::kImageButton:
      QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                       [this, number] { Emit(ControlEvent{number}); });
      break;
    case ControlKind::kComboBox:
      QObject::connect(static_cast<QComboBox*>(widget), &QComboBox::activated, this,
                       [this, number](int index) {
                         const bool changed = controls_.State(number) != index;
                         controls_.SetStateFromWidget(number, index);
                         Emit(ControlEvent{number, changed});
                       });
      break;
    default:
      break;
  }
}

void MainWindow::OnStoreChange(int number) {
  if (number < 0 || number > ctl::kHighestNumber) return;
  if (QThread::currentThread() == thread()) {
    Refresh(number);
    return;
  }
  // One queued refresh per control at a time; it shows the latest state.
  if (refresh_pending_[number].exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this, number] {
        refresh_pending_[number] = false;
        Refresh(number);
      },
      Qt::QueuedConnection);
}

void MainWindow::Refresh(int number) {
  RefreshControlWidget(widgets_[number], controls_, number);
}

void MainWindow::Emit(ControlEvent event) {
  listener_.OnControlEvent(event);
}

void MainWindow::ToggleWidth() {
  setFixedSize(width() == kWideWidth ? kNarrowWidth : kWideWidth, kHeight);
}

WindowPosition MainWindow::Position() const {
  return {x(), y(), isMinimized()};
}

void MainWindow::RefreshIndicators() {
  const uint64_t version = engine_.IndicatorsVersion();
  if (version == indicators_shown_) return;
  indicators_shown_ = version;
  for (int channel = 1; channel <= ctl::kChannelCount; ++channel) {
    if (BandIndicator* indicator = Indicator(channel))
      indicator->SetPicture(engine_.IndicatorPictureOf(channel));
  }
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized()) listener_.OnMinimised();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // Only moves the window system reports: the user's drags, not the placing at start-up.
  if (event->spontaneous() && isVisible()) listener_.OnMoved();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close request is the program's exit path; the shell ends the loop.
  event->ignore();
  listener_.OnCloseRequested();
}

}  // namespace lumiglow
