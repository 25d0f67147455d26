#include "app/window/aux_windows.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <fstream>
#include <iterator>

#include "app/window/pictures_qt.h"
#include "app/window/qt_text.h"
#include "settings/rtf_reader.h"

namespace lumiglow {
namespace {

// The help texts are small; anything larger than this is not one of them.
constexpr std::streamsize kMaxTextFile = 8 << 20;

class AuxWindow : public QWidget {
 public:
  explicit AuxWindow(std::function<void()> on_close_request)
      : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
        on_close_request_(std::move(on_close_request)) {
    setAttribute(Qt::WA_DeleteOnClose);
  }
  void CloseByOk() {
    closing_ = true;
    close();
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (closing_) {
      event->accept();
      return;
    }
    event->ignore();
    on_close_request_();
  }

 private:
  std::function<void()> on_close_request_;
  bool closing_ = false;
};

int OkButtonOf(int window) {
  switch (window) {
    case AuxWindows::kAuthorsWindow:
      return AuxWindows::kAuthorsOk;
    case AuxWindows::kHelpWindow:
      return AuxWindows::kHelpOk;
    case AuxWindows::kHistoryWindow:
      return AuxWindows::kHistoryOk;
    default:
      return AuxWindows::kLptSchemeOk;
  }
}

QLabel* Picture(QWidget* parent, PictureFile which) {
  const QImage image = PictureImage(which);
  auto* label = new QLabel(parent);
  label->setPixmap(QPixmap::fromImage(image));
  label->setGeometry(6, 6, image.width(), image.height());
  return label;
}

}  // namespace

std::string LanguagePrefix(const std::string& language_box_text) {
  return language_box_text.substr(0, 7);  // Windows-1251: one byte per character
}

std::string AuxWindows::TextFileName(int window, const std::string& language_box_text) {
  const char* suffix = window == kAuthorsWindow ? "_avtori.rtf"
                       : window == kHelpWindow  ? "_spravka.rtf"
                                                : "_histori.rtf";
  return LanguagePrefix(language_box_text) + suffix;
}

void LoadRtfFile(QTextBrowser* viewer, const std::string& file_name) {
  std::ifstream file(file_name, std::ios::binary);
  if (!file) return;
  std::string bytes;
  bytes.resize(kMaxTextFile);
  file.read(bytes.data(), kMaxTextFile);
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  viewer->setHtml(QString::fromStdString(RtfToHtml(ParseRtf(bytes))));
}

AuxWindows::AuxWindows(std::function<void(int)> on_ok, std::function<void()> on_close_request)
    : on_ok_(std::move(on_ok)), on_close_request_(std::move(on_close_request)) {}

AuxWindows::~AuxWindows() {
  for (auto& window : windows_) delete window.data();
}

QWidget* AuxWindows::Window(int window) const {
  return window >= 1 && window <= 4 ? windows_[window].data() : nullptr;
}

QWidget* AuxWindows::Open(int window, const std::string& title, int width, int height) {
  CloseWindow(window);
  auto* w = new AuxWindow(on_close_request_);
  w->setWindowTitle(QtText(title));
  w->setFixedSize(width, height);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    w->move(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2);
  }
  windows_[window] = w;
  return w;
}

void AuxWindows::ShowTextWindow(int window, const std::string& title,
                                const std::string& file_name) {
  QWidget* w = Open(window, title, 500, 347);
  Picture(w, PictureFile::kHelpSide);
  auto* viewer = new QTextBrowser(w);
  viewer->setObjectName(QStringLiteral("RtfViewer"));
  viewer->setGeometry(172, 6, 322, 335);
  viewer->setReadOnly(true);
  viewer->setOpenLinks(false);
  viewer->setLineWrapMode(QTextEdit::WidgetWidth);
  LoadRtfFile(viewer, file_name);
  auto* ok = new QPushButton(QStringLiteral("OK"), w);
  ok->setGeometry(46, 317, 80, 24);
  const int button = OkButtonOf(window);
  QObject::connect(ok, &QPushButton::clicked, [this, button] { on_ok_(button); });
  w->show();
}

void AuxWindows::ShowLptSchemeWindow(const std::string& title) {
  QWidget* w = Open(kLptSchemeWindow, title, 332, 644);
  Picture(w, PictureFile::kLptScheme);
  auto* ok = new QPushButton(QStringLiteral("OK"), w);
  ok->setGeometry(246, 614, 80, 24);
  QObject::connect(ok, &QPushButton::clicked, [this] { on_ok_(kLptSchemeOk); });
  w->show();
}

void AuxWindows::CloseWindow(int window) {
  if (window < 1 || window > 4 || windows_[window].isNull()) return;
  static_cast<AuxWindow*>(windows_[window].data())->CloseByOk();
  windows_[window] = nullptr;
}

}  // namespace lumiglow
