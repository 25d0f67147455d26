// The widget boundary: internal texts are Windows-1251 bytes and colours are
// red + 256 * green + 65536 * blue; Qt wants QString and QColor.
#pragma once

#include <QColor>
#include <QString>
#include <string>

namespace lumiglow {

QString QtText(const std::string& cp1251);
std::string Cp1251Text(const QString& text);
QColor QtColour(int value);
int ColourValue(const QColor& colour);

}  // namespace lumiglow
