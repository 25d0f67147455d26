#include "app/window/qt_text.h"

#include "controls/cp1251.h"

namespace lumiglow {

QString QtText(const std::string& cp1251) {
  return QString::fromStdString(Utf8FromCp1251(cp1251));
}

std::string Cp1251Text(const QString& text) {
  return Cp1251FromUtf8(text.toStdString());
}

QColor QtColour(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int ColourValue(const QColor& colour) {
  return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

}  // namespace lumiglow
