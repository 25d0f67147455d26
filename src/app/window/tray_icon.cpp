#include "app/window/tray_icon.h"

#include "app/window/pictures_qt.h"
#include "app/window/qt_text.h"

namespace lumiglow {

TrayIcon::TrayIcon(std::function<void(int)> on_menu_item, std::function<void()> on_left_press)
    : on_menu_item_(std::move(on_menu_item)) {
  icon_.setIcon(QIcon(QPixmap::fromImage(PictureImage(PictureFile::kAppIcon))));
  icon_.setToolTip(QStringLiteral("Lumiglow"));
  // The right button opens the context menu by itself; a double click is
  // ignored, its first press having already counted as a press.
  QObject::connect(&icon_, &QSystemTrayIcon::activated,
                   [on_left_press = std::move(on_left_press)](QSystemTrayIcon::ActivationReason r) {
                     if (r == QSystemTrayIcon::Trigger) on_left_press();
                   });
}

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Add() {
  if (Available()) icon_.show();
}

void TrayIcon::RebuildMenu(const TrayMenuTexts& texts) {
  auto menu = std::make_unique<QMenu>();
  auto add = [this](QMenu* to, const std::string& text, int item) {
    QAction* action = to->addAction(QtText(text));
    action->setData(item);
    QObject::connect(action, &QAction::triggered, [this, item] { on_menu_item_(item); });
  };
  add(menu.get(), texts.restore, kShowItem);
  add(menu.get(), texts.minimise, kHideItem);
  QMenu* help = menu->addMenu(QtText(texts.help_menu));
  add(help, texts.help, kHelpItem);
  add(help, texts.lpt_scheme, kLptSchemeItem);
  add(help, texts.history, kHistoryItem);
  add(menu.get(), texts.about, kAboutItem);
  menu->addSeparator();
  add(menu.get(), texts.exit, kExitItem);
  icon_.setContextMenu(menu.get());
  menu_ = std::move(menu);  // the old menu goes only after the icon has let go of it
}

}  // namespace lumiglow
