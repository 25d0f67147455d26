// One Qt widget per control kind, and the refresh that shows a control's
// current state, texts, items and colour from the store. A refresh blocks the
// widget's signals: a change made by the program raises no control event.
#pragma once

#include <QWidget>

#include "controls/controls.h"

namespace lumiglow {

// The widget for a control of the table, placed at its position and size, not yet bound.
// Band indicators are made by the window itself.
QWidget* CreateControlWidget(const ControlSpec& spec, QWidget* parent);

void RefreshControlWidget(QWidget* widget, const Controls& controls, int number);

}  // namespace lumiglow
