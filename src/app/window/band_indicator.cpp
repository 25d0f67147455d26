#include "app/window/band_indicator.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumiglow {

BandIndicator::BandIndicator(QWidget* parent, std::function<void(bool)> on_click)
    : QWidget(parent),
      image_(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32),
      on_click_(std::move(on_click)) {
  image_.fill(Qt::black);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BandIndicator::SetPicture(const IndicatorPicture& picture) {
  for (int y = 0; y < kCanvasHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = 0; x < kCanvasWidth; ++x) {
      const int32_t c = picture[y * kCanvasWidth + x];  // red + 256 green + 65536 blue
      line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }
  }
  update();
}

void BandIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), image_);
}

void BandIndicator::mousePressEvent(QMouseEvent* event) {
  if (on_click_) on_click_(event->button() == Qt::RightButton);
}

}  // namespace lumiglow
