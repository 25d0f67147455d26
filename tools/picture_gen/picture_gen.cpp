// Draws the program's pictures and writes them in the formats the program
// embeds: the two autostart icons, the effect-file button, the side picture of
// the text windows, the parallel-port wiring scheme and the application icon.
//   picture_gen ASSETS_DIR [PREVIEW_DIR]
// PREVIEW_DIR, when given, receives a PNG of every picture for looking at.
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <string>

#include "picture_writers.h"

namespace {

QImage Blank(int w, int h, QColor fill = Qt::transparent) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(fill);
  return image;
}

QFont Font(int pixels, bool bold = false) {
  QFont font("DejaVu Sans");
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// A round badge with a white plus or minus: autostart add and remove.
QImage Badge(QColor colour, bool plus) {
  QImage image = Blank(16, 16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shade(6, 5, 10);
  shade.setColorAt(0, colour.lighter(150));
  shade.setColorAt(1, colour.darker(130));
  p.setPen(QPen(colour.darker(170), 1));
  p.setBrush(shade);
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3.5, 6.5, 9, 3));
  if (plus) p.drawRect(QRectF(6.5, 3.5, 3, 9));
  return image;
}

// A folder with a note on it: load an effect file.
QImage LoadEffectPicture() {
  QImage image = Blank(16, 16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(150, 100, 10), 1));
  p.setBrush(QColor(240, 190, 60));
  QPainterPath folder;
  folder.moveTo(0.5, 3.5);
  folder.lineTo(5.5, 3.5);
  folder.lineTo(7, 5);
  folder.lineTo(15.5, 5);
  folder.lineTo(15.5, 14.5);
  folder.lineTo(0.5, 14.5);
  folder.closeSubpath();
  p.drawPath(folder);
  p.setBrush(QColor(255, 215, 100));
  p.drawRect(QRectF(0.5, 7, 15, 7.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 60, 200));
  p.drawEllipse(QRectF(5, 10.5, 3.5, 3));
  p.drawRect(QRectF(7.3, 6.5, 1.2, 5.5));
  p.drawRect(QRectF(7.3, 6.5, 3.5, 1.4));
  return image;
}

QColor Spectrum(double t) {
  return QColor::fromHsvF(std::fmod(0.0 + 0.83 * t, 1.0), 0.85, 1.0);
}

// The application icon: five bars of light in a dark rounded square.
QImage AppIcon(int size) {
  QImage image = Blank(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size / 32.0;
  QLinearGradient back(0, 0, 0, size);
  back.setColorAt(0, QColor(30, 30, 70));
  back.setColorAt(1, QColor(10, 10, 25));
  p.setPen(Qt::NoPen);
  p.setBrush(back);
  p.drawRoundedRect(QRectF(0, 0, size, size), 6 * s, 6 * s);
  const double heights[5] = {14, 22, 27, 19, 11};
  for (int i = 0; i < 5; ++i) {
    const QColor c = Spectrum(i / 4.0);
    const QRectF bar((3 + 5.5 * i) * s, (29 - heights[i]) * s, 4 * s, heights[i] * s);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, c.lighter(140));
    g.setColorAt(1, c.darker(160));
    p.setBrush(g);
    p.drawRoundedRect(bar, 1.2 * s, 1.2 * s);
  }
  return image;
}

// The side picture of the help, history and authors windows.
QImage HelpSidePicture() {
  QImage image = Blank(160, 305, Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient back(0, 0, 0, 305);
  back.setColorAt(0, QColor(12, 16, 48));
  back.setColorAt(1, QColor(44, 14, 64));
  p.fillRect(image.rect(), back);

  p.setFont(Font(24, true));
  p.setPen(QColor(255, 240, 200));
  p.drawText(QRect(0, 14, 160, 32), Qt::AlignCenter, "Lumiglow");
  p.setFont(Font(11));
  p.setPen(QColor(190, 190, 230));
  p.drawText(QRect(0, 44, 160, 16), Qt::AlignCenter, "light organ");

  // Eighteen bands, low to high.
  for (int b = 0; b < 18; ++b) {
    const double t = b / 17.0;
    const double level = 0.35 + 0.55 * std::fabs(std::sin(1.7 + b * 0.61)) * (1.0 - 0.35 * t);
    const double x = 8 + b * 8.1;
    const double height = 110 * level;
    const QColor c = Spectrum(t);
    QLinearGradient g(0, 190 - height, 0, 190);
    g.setColorAt(0, c.lighter(130));
    g.setColorAt(1, c.darker(200));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(x, 190 - height, 6.5, height));
    p.setBrush(c.lighter(150));
    p.drawRect(QRectF(x, 190 - height - 5, 6.5, 2));  // the held peak
  }
  p.setPen(QColor(120, 120, 160));
  p.drawLine(6, 193, 154, 193);

  // A row of lit lamps.
  for (int i = 0; i < 6; ++i) {
    const QPointF centre(18 + i * 24.8, 232);
    const QColor c = Spectrum(i / 5.0);
    QRadialGradient glow(centre, 16);
    QColor outer = c;
    outer.setAlpha(0);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(0.25, c);
    glow.setColorAt(1, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, 16, 16);
  }

  p.setFont(Font(10));
  p.setPen(QColor(200, 200, 230));
  p.drawText(QRect(0, 262, 160, 14), Qt::AlignCenter, "18 bands \xc2\xb7 18 channels");
  p.drawText(QRect(0, 278, 160, 14), Qt::AlignCenter,
             "USB \xc2\xb7 RS232 \xc2\xb7 LPT \xc2\xb7 keyboard");
  return image;
}

// --- The wiring scheme of the parallel port ---------------------------------

struct PinRow {
  const char* pin;
  const char* signal;
  int channel;
};

constexpr PinRow kRows[12] = {{"2", "D0", 4},        {"3", "D1", 5},      {"4", "D2", 6},
                              {"5", "D3", 7},        {"6", "D4", 8},      {"7", "D5", 9},
                              {"8", "D6", 10},       {"9", "D7", 11},     {"1", "/STROBE", 12},
                              {"14", "/AUTOFD", 13}, {"16", "/INIT", 14}, {"17", "/SELIN", 15}};

void Resistor(QPainter& p, double x0, double y, double length, const char* value,
              bool label_above) {
  p.setBrush(Qt::white);
  p.drawRect(QRectF(x0, y - 4, length, 8));
  p.setFont(Font(9));
  const QRectF text(x0 - 6, label_above ? y - 16 : y + 5, length + 12, 11);
  p.drawText(text, Qt::AlignCenter, value);
}

void Ground(QPainter& p, double x, double y) {
  p.drawLine(QPointF(x - 6, y), QPointF(x + 6, y));
  p.drawLine(QPointF(x - 4, y + 2.5), QPointF(x + 4, y + 2.5));
  p.drawLine(QPointF(x - 2, y + 5), QPointF(x + 2, y + 5));
}

void Dot(QPainter& p, double x, double y) {
  p.save();
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(x, y), 2, 2);
  p.restore();
}

// One channel: pin -> R1 -> NPN base; emitter to ground; collector -> LED -> R2 -> +V.
void DriverStage(QPainter& p, double y, const PinRow& row, double bus_x) {
  const QPen line(Qt::black, 1);
  p.setPen(line);
  p.setBrush(Qt::NoBrush);
  // The contact and its number inside the connector.
  p.setFont(Font(10, true));
  p.drawText(QRectF(10, y - 6, 26, 12), Qt::AlignRight | Qt::AlignVCenter, row.pin);
  p.drawEllipse(QPointF(44, y), 3, 3);
  p.setFont(Font(9));
  p.drawText(QRectF(56, y - 14, 50, 11), Qt::AlignLeft | Qt::AlignVCenter, row.signal);
  p.drawLine(QPointF(47, y), QPointF(104, y));
  Resistor(p, 104, y, 26, "4k7", true);
  p.drawLine(QPointF(130, y), QPointF(163, y));
  // NPN transistor.
  const double bx = 163;
  p.drawEllipse(QPointF(bx + 8, y), 11, 11);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(bx, y - 6), QPointF(bx, y + 6));
  p.setPen(line);
  p.drawLine(QPointF(bx, y - 3), QPointF(bx + 10, y - 9));
  p.drawLine(QPointF(bx + 10, y - 9), QPointF(bx + 10, y - 16));
  p.drawLine(QPointF(bx, y + 3), QPointF(bx + 10, y + 9));
  p.drawLine(QPointF(bx + 10, y + 9), QPointF(bx + 10, y + 15));
  QPainterPath arrow;  // emitter arrow points out of the NPN
  arrow.moveTo(bx + 10, y + 9);
  arrow.lineTo(bx + 4.5, y + 8.3);
  arrow.lineTo(bx + 7.5, y + 4.8);
  arrow.closeSubpath();
  p.fillPath(arrow, Qt::black);
  Ground(p, bx + 10, y + 15);
  // Collector -> LED (cathode towards the transistor) -> R2 -> +V.
  const double ly = y - 16;
  p.drawLine(QPointF(bx + 10, ly), QPointF(206, ly));
  QPainterPath led;
  led.moveTo(206, ly);
  led.lineTo(217, ly - 6);
  led.lineTo(217, ly + 6);
  led.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(led);
  p.setPen(QPen(Qt::black, 1.6));
  p.drawLine(QPointF(206, ly - 6), QPointF(206, ly + 6));
  p.setPen(line);
  for (int k = 0; k < 2; ++k) {  // light leaving the diode
    const double ax = 207 + 5 * k, ay = ly - 8;
    p.drawLine(QPointF(ax, ay), QPointF(ax - 4, ay - 5));
    p.drawLine(QPointF(ax - 4, ay - 5), QPointF(ax - 4, ay - 2.5));
    p.drawLine(QPointF(ax - 4, ay - 5), QPointF(ax - 1.8, ay - 4));
  }
  p.setFont(Font(9, true));
  p.drawText(QRectF(196, ly + 7, 44, 11), Qt::AlignLeft | Qt::AlignVCenter,
             QString("ch %1").arg(row.channel));
  p.drawLine(QPointF(217, ly), QPointF(236, ly));
  Resistor(p, 236, ly, 26, "330", true);
  p.drawLine(QPointF(262, ly), QPointF(bus_x, ly));
  Dot(p, bus_x, ly);
}

QImage LptSchemePicture() {
  QImage image = Blank(320, 602, Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::black);
  p.setFont(Font(12, true));
  p.drawText(QRect(0, 4, 320, 16), Qt::AlignCenter, "Parallel port: 12 light channels");

  const double first_y = 70, step = 36.5, bus_x = 300;
  const double ground_y = first_y + 12 * step;
  // The 25-pin connector (female socket of the PC, seen from the wiring side).
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(235, 235, 235));
  p.drawRoundedRect(QRectF(6, 36, 46, ground_y - 36 + 16), 6, 6);
  p.setFont(Font(9, true));
  p.drawText(QRectF(6, 38, 46, 11), Qt::AlignCenter, "DB-25");
  p.setFont(Font(8));
  p.drawText(QRectF(6, 48, 46, 10), Qt::AlignCenter, "pin");

  // The supply bus.
  p.setPen(QPen(Qt::black, 1.5));
  p.drawLine(QPointF(bus_x, 40), QPointF(bus_x, first_y + 11 * step - 16));
  p.setFont(Font(9, true));
  p.drawText(QRectF(250, 26, 68, 12), Qt::AlignRight | Qt::AlignVCenter, "+5 ... 12 V");

  for (int i = 0; i < 12; ++i) DriverStage(p, first_y + i * step, kRows[i], bus_x);

  // Ground pins 18 to 25 to the common ground.
  p.setPen(Qt::black);
  p.setFont(Font(10, true));
  p.drawText(QRectF(8, ground_y - 6, 40, 12), Qt::AlignCenter, "18-25");
  p.setFont(Font(9));
  p.drawText(QRectF(56, ground_y - 14, 120, 11), Qt::AlignLeft | Qt::AlignVCenter, "GND");
  p.drawLine(QPointF(52, ground_y), QPointF(120, ground_y));
  p.drawLine(QPointF(120, ground_y), QPointF(120, ground_y + 4));
  Ground(p, 120, ground_y + 4);
  p.drawText(QRectF(140, ground_y - 6, 178, 12), Qt::AlignLeft | Qt::AlignVCenter,
             "supply 0 V to the same ground");

  // Parts and notes.
  const double ly = ground_y + 24;
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(6, ly - 6), QPointF(314, ly - 6));
  p.setFont(Font(10));
  const char* const notes[] = {"T: BC547, 2N2222 or any small NPN; R1 4.7 k\xce\xa9",
                               "R2: 330 \xce\xa9 at 5 V, 560 \xce\xa9 at 9 V, 1 k\xce\xa9 at 12 V",
                               "A lit channel puts its pin high, pins 1, 14, 17 too.",
                               "Channels 1-3 and 16-18 have no pin on this port."};
  for (int i = 0; i < 4; ++i) {
    p.drawText(QRectF(8, ly + i * 14, 310, 13), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(notes[i]));
  }
  return image;
}

bool Check(bool ok, const std::string& path) {
  std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: picture_gen ASSETS_DIR [PREVIEW_DIR]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string dir = argv[1];
  const std::string pictures = dir + "/pictures/";
  bool ok = true;
  if (argc == 3) {
    const std::string preview = std::string(argv[2]) + "/";
    Badge(QColor(40, 170, 60), true).scaled(64, 64).save(QString::fromStdString(preview + "a.png"));
    Badge(QColor(200, 40, 40), false)
        .scaled(64, 64)
        .save(QString::fromStdString(preview + "b.png"));
    LoadEffectPicture().scaled(64, 64).save(QString::fromStdString(preview + "c.png"));
    HelpSidePicture().save(QString::fromStdString(preview + "d.png"));
    LptSchemePicture().save(QString::fromStdString(preview + "e.png"));
    AppIcon(64).save(QString::fromStdString(preview + "icon.png"));
  }
  ok &= Check(WriteIco(Badge(QColor(40, 170, 60), true), 32, pictures + "autostart_add.ico"),
              "autostart_add.ico");
  ok &= Check(WriteIco(Badge(QColor(200, 40, 40), false), 24, pictures + "autostart_remove.ico"),
              "autostart_remove.ico");
  ok &= Check(WritePng(LoadEffectPicture(), pictures + "load_effect.png"), "load_effect.png");
  ok &= Check(WriteJpeg(HelpSidePicture(), false, 92, pictures + "help_side.jpg"), "help_side.jpg");
  ok &=
      Check(WriteJpeg(LptSchemePicture(), true, 92, pictures + "lpt_scheme.jpg"), "lpt_scheme.jpg");
  ok &= Check(WriteIco(AppIcon(32), 24, pictures + "lumiglow.ico"), "lumiglow.ico");
  ok &= Check(WritePng(AppIcon(64), dir + "/lumiglow.png"), "lumiglow.png");
  return ok ? 0 : 1;
}
