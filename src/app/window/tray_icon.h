// The tray icon with its tooltip "Lumiglow" and the TrayMenu. The menu is
// built whole, and built anew whenever a language is applied. Item numbers:
// 1 show, 2 hide, 3 help, 4 wiring scheme, 5 history (these three in the help
// submenu), 6 about, 10 exit.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "app/window/app_actions.h"

namespace lumiglow {

class TrayIcon {
 public:
  static constexpr int kShowItem = 1, kHideItem = 2, kHelpItem = 3, kLptSchemeItem = 4,
                       kHistoryItem = 5, kAboutItem = 6, kExitItem = 10;

  TrayIcon(std::function<void(int item)> on_menu_item, std::function<void()> on_left_press);

  // Whether the desktop has a notification area to show the icon in.
  static bool Available();
  // AddTrayIcon: shows the icon when there is a notification area.
  void Add();
  // TrayMenu, built anew and whole.
  void RebuildMenu(const TrayMenuTexts& texts);
  QMenu* Menu() const { return menu_.get(); }
  QSystemTrayIcon& Icon() { return icon_; }

 private:
  QSystemTrayIcon icon_;
  std::unique_ptr<QMenu> menu_;
  std::function<void(int)> on_menu_item_;
};

}  // namespace lumiglow
