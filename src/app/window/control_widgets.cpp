#include "app/window/control_widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include "app/window/pictures_qt.h"
#include "app/window/qt_text.h"

namespace lumiglow {
namespace {

QIcon ImageButtonIcon(int number) {
  switch (number) {
    case ctl::kAutostartAddButton:
      return QIcon(QPixmap::fromImage(PictureImage(PictureFile::kAutostartAdd)));
    case ctl::kAutostartRemoveButton:
      return QIcon(QPixmap::fromImage(PictureImage(PictureFile::kAutostartRemove)));
    case ctl::kLoadEffectButton:
      return QIcon(QPixmap::fromImage(PictureImage(PictureFile::kLoadEffect)));
    default:
      return {};
  }
}

void RefreshItems(QComboBox* box, const Controls& controls, int number) {
  const int count = controls.ItemCount(number);
  bool same = box->count() == count;
  for (int i = 0; same && i < count; ++i)
    same = box->itemText(i) == QtText(controls.ItemText(number, i));
  if (!same) {
    box->clear();
    for (int i = 0; i < count; ++i) box->addItem(QtText(controls.ItemText(number, i)));
  }
  const int selected = controls.State(number);
  box->setCurrentIndex(selected >= 0 && selected < count ? selected : -1);
}

}  // namespace

QWidget* CreateControlWidget(const ControlSpec& spec, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (spec.kind) {
    case ControlKind::kScrollBar: {
      auto* bar = new QScrollBar(spec.vertical ? Qt::Vertical : Qt::Horizontal, parent);
      // The bar is created with a page, and its thumb stops one page short of the maximum.
      bar->setRange(spec.minimum, spec.maximum - spec.page);
      bar->setPageStep(spec.page);
      bar->setSingleStep(1);
      widget = bar;
      break;
    }
    case ControlKind::kTrackBar: {
      auto* slider = new QSlider(Qt::Horizontal, parent);
      slider->setRange(spec.minimum, spec.maximum);
      slider->setTickPosition(QSlider::TicksBelow);
      slider->setTickInterval(1);
      slider->setPageStep(1);
      widget = slider;
      break;
    }
    case ControlKind::kSpinBox: {
      auto* spin = new QSpinBox(parent);
      spin->setRange(spec.minimum, spec.maximum);
      // Below the first real value: shown empty, meaning "none".
      if (spec.minimum < 0) spin->setSpecialValueText(QStringLiteral(" "));
      // One event when the typing is done, not one per digit.
      spin->setKeyboardTracking(false);
      spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
      widget = spin;
      break;
    }
    case ControlKind::kToggleButton: {
      auto* button = new QPushButton(parent);
      button->setCheckable(true);
      widget = button;
      break;
    }
    case ControlKind::kPushButton:
      widget = new QPushButton(parent);
      break;
    case ControlKind::kImageButton: {
      auto* button = new QPushButton(parent);
      button->setIcon(ImageButtonIcon(spec.number));
      button->setIconSize(QSize(16, 16));
      widget = button;
      break;
    }
    case ControlKind::kComboBox: {
      auto* box = new QComboBox(parent);
      box->setEditable(false);
      box->setMaxVisibleItems(20);
      widget = box;
      break;
    }
    case ControlKind::kTextLabel: {
      auto* label = new QLabel(parent);
      if (spec.number == ctl::kUsbStatusLabel) {
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      }
      widget = label;
      break;
    }
    case ControlKind::kImage:
    case ControlKind::kNone:
      return nullptr;
  }
  widget->setGeometry(spec.geometry.x, spec.geometry.y, spec.geometry.w, spec.geometry.h);
  widget->setObjectName(QStringLiteral("control_%1").arg(spec.number));
  widget->setProperty("controlNumber", spec.number);
  return widget;
}

void RefreshControlWidget(QWidget* widget, const Controls& controls, int number) {
  if (widget == nullptr) return;
  const QSignalBlocker blocker(widget);
  widget->setToolTip(QtText(controls.Tooltip(number)));
  switch (controls.Kind(number)) {
    case ControlKind::kScrollBar:
    case ControlKind::kTrackBar:
      static_cast<QAbstractSlider*>(widget)->setValue(controls.State(number));
      break;
    case ControlKind::kSpinBox:
      static_cast<QSpinBox*>(widget)->setValue(controls.State(number));
      break;
    case ControlKind::kToggleButton:
      static_cast<QPushButton*>(widget)->setChecked(controls.State(number) == 1);
      static_cast<QPushButton*>(widget)->setText(QtText(controls.Text(number)));
      break;
    case ControlKind::kPushButton:
      static_cast<QPushButton*>(widget)->setText(QtText(controls.Text(number)));
      break;
    case ControlKind::kComboBox:
      RefreshItems(static_cast<QComboBox*>(widget), controls, number);
      break;
    case ControlKind::kTextLabel: {
      auto* label = static_cast<QLabel*>(widget);
      label->setText(QtText(controls.Text(number)));
      QPalette palette = label->palette();
      palette.setColor(QPalette::WindowText, QtColour(controls.TextColour(number)));
      label->setPalette(palette);
      break;
    }
    default:
      break;
  }
}

}  // namespace lumiglow
