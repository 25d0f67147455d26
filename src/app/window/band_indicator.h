// One band indicator: an 8 x 80 picture of its channel's lamp and band graph,
// the copy of the engine's canvas it was last given.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "engine/indicator_canvas.h"

namespace lumiglow {

class BandIndicator : public QWidget {
 public:
  // `on_click(right_button)` runs for every mouse press on the picture.
  BandIndicator(QWidget* parent, std::function<void(bool right_button)> on_click);

  void SetPicture(const IndicatorPicture& picture);
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  std::function<void(bool)> on_click_;
};

}  // namespace lumiglow
