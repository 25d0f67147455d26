#include "app/window/tray_icon.h"

#include <QAction>

#include "app/window/built_in_texts.h"
#include "window_fixture.h"

namespace lumiglow::testing {
namespace {

struct Entry {
  QString text;
  int item;  // 0 for a submenu, -1 for a separator
};

std::vector<Entry> Entries(QMenu* menu) {
  std::vector<Entry> entries;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator())
      entries.push_back({QString(), -1});
    else if (a->menu())
      entries.push_back({a->text(), 0});
    else
      entries.push_back({a->text(), a->data().toInt()});
  }
  return entries;
}

TEST(TrayIconTest, TheMenuHasItsItemsInOrderWithTheBuiltInTexts) {
  std::vector<int> chosen;
  TrayIcon tray([&](int item) { chosen.push_back(item); }, [] {});
  tray.RebuildMenu(BuiltInTrayMenuTexts());
  const auto top = Entries(tray.Menu());
  ASSERT_EQ(top.size(), 6u);
  EXPECT_EQ(top[0].text, Utf8("Развернуть"));
  EXPECT_EQ(top[0].item, 1);
  EXPECT_EQ(top[1].text, Utf8("Свернуть"));
  EXPECT_EQ(top[1].item, 2);
  EXPECT_EQ(top[2].text, Utf8("Справка"));
  EXPECT_EQ(top[2].item, 0);
  EXPECT_EQ(top[3].text, Utf8("О программе"));
  EXPECT_EQ(top[3].item, 6);
  EXPECT_EQ(top[4].item, -1);
  EXPECT_EQ(top[5].text, Utf8("Выход"));
  EXPECT_EQ(top[5].item, 10);
  const auto help = Entries(tray.Menu()->actions()[2]->menu());
  ASSERT_EQ(help.size(), 3u);
  EXPECT_EQ(help[0].text, Utf8("Настройки"));
  EXPECT_EQ(help[0].item, 3);
  EXPECT_EQ(help[1].text, Utf8("Схема LPT-светомузыки"));
  EXPECT_EQ(help[1].item, 4);
  EXPECT_EQ(help[2].text, Utf8("История"));
  EXPECT_EQ(help[2].item, 5);
  tray.Menu()->actions()[5]->trigger();
  tray.Menu()->actions()[2]->menu()->actions()[1]->trigger();
  EXPECT_EQ(chosen, (std::vector<int>{10, 4}));
  EXPECT_EQ(tray.Icon().toolTip(), "Lumiglow");
  EXPECT_FALSE(tray.Icon().icon().isNull());
}

TEST(TrayIconTest, ALanguageBuildsTheMenuAnew) {
  TrayIcon tray([](int) {}, [] {});
  tray.RebuildMenu(BuiltInTrayMenuTexts());
  const QMenu* old_menu = tray.Menu();
  tray.RebuildMenu({"Show", "Hide", "Help", "Settings", "LPT scheme", "History", "About", "Exit"});
  EXPECT_NE(tray.Menu(), old_menu);
  EXPECT_EQ(tray.Icon().contextMenu(), tray.Menu());
  const auto top = Entries(tray.Menu());
  ASSERT_EQ(top.size(), 6u);
  EXPECT_EQ(top[0].text, "Show");
  EXPECT_EQ(top[5].text, "Exit");
  EXPECT_EQ(Entries(tray.Menu()->actions()[2]->menu())[1].text, "LPT scheme");
}

TEST(TrayIconTest, TheIconAppearsOnlyWithANotificationArea) {
  TrayIcon tray([](int) {}, [] {});
  tray.Add();
  EXPECT_EQ(tray.Icon().isVisible(), TrayIcon::Available());
}

}  // namespace
}  // namespace lumiglow::testing
