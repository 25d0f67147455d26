#include "app/window/aux_windows.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "settings/rtf_reader.h"
#include "window_fixture.h"

namespace lumiglow::testing {
namespace {

TEST(LanguagePrefixTest, SevenCharactersAtMost) {
  const struct {
    std::string language, prefix;
  } cases[] = {{"", ""},
               {"Eng", "Eng"},
               {"English", "English"},
               {"Englishxx", "English"},
               {Cp1251FromUtf8("Українська"), Cp1251FromUtf8("Українс")}};
  for (const auto& c : cases) EXPECT_EQ(LanguagePrefix(c.language), c.prefix);
}

TEST(LanguagePrefixTest, TextFileNames) {
  EXPECT_EQ(AuxWindows::TextFileName(AuxWindows::kAuthorsWindow, ""), "_avtori.rtf");
  EXPECT_EQ(AuxWindows::TextFileName(AuxWindows::kHelpWindow, ""), "_spravka.rtf");
  EXPECT_EQ(AuxWindows::TextFileName(AuxWindows::kHistoryWindow, ""), "_histori.rtf");
  EXPECT_EQ(AuxWindows::TextFileName(AuxWindows::kHelpWindow, "Englishxx"), "English_spravka.rtf");
}

class AuxWindowsTest : public ::testing::Test {
 protected:
  TemporaryFolder folder;
  std::vector<int> oks;
  int close_requests = 0;
  AuxWindows aux{[this](int button) { oks.push_back(button); }, [this] { ++close_requests; }};

  QTextBrowser* Viewer(int window) {
    return aux.Window(window)->findChild<QTextBrowser*>(QStringLiteral("RtfViewer"));
  }
};

TEST_F(AuxWindowsTest, ATextWindowShowsItsPictureAndTheRtfText) {
  std::ofstream("_spravka.rtf")
      << R"({\rtf1\ansi\ansicpg1251 {\b \'d1\'EF\'F0\'E0\'E2\'EA\'E0}\par line two})";
  aux.ShowTextWindow(AuxWindows::kHelpWindow, Cp1251FromUtf8("Настройки"), "_spravka.rtf");
  QWidget* w = aux.Window(AuxWindows::kHelpWindow);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), Utf8("Настройки"));
  EXPECT_EQ(w->size(), QSize(500, 347));
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowSystemMenuHint);
  auto* picture = w->findChild<QLabel*>();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->geometry(), QRect(6, 6, 160, 305));
  QTextBrowser* viewer = Viewer(AuxWindows::kHelpWindow);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->geometry(), QRect(172, 6, 322, 335));
  EXPECT_TRUE(viewer->isReadOnly());
  EXPECT_EQ(viewer->toPlainText(), Utf8("Справка\nline two"));
  auto* ok = w->findChild<QPushButton*>();
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(ok->geometry(), QRect(46, 317, 80, 24));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(oks, std::vector<int>{AuxWindows::kHelpOk});
}

TEST_F(AuxWindowsTest, AMissingTextLeavesTheViewerEmpty) {
  aux.ShowTextWindow(AuxWindows::kAuthorsWindow, "Authors", "_avtori.rtf");
  EXPECT_TRUE(aux.Window(AuxWindows::kAuthorsWindow)->isVisible());
  EXPECT_TRUE(Viewer(AuxWindows::kAuthorsWindow)->toPlainText().isEmpty());
}

TEST_F(AuxWindowsTest, ReopeningReplacesTheWindow) {
  aux.ShowTextWindow(AuxWindows::kHistoryWindow, "History", "_histori.rtf");
  QPointer<QWidget> first = aux.Window(AuxWindows::kHistoryWindow);
  aux.ShowTextWindow(AuxWindows::kHistoryWindow, "History", "_histori.rtf");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  ASSERT_NE(aux.Window(AuxWindows::kHistoryWindow), nullptr);
  EXPECT_TRUE(aux.Window(AuxWindows::kHistoryWindow)->isVisible());
  EXPECT_EQ(close_requests, 0);  // replacing is no close request of the program
}

TEST_F(AuxWindowsTest, TwoTextWindowsKeepTheirOwnPictures) {
  aux.ShowTextWindow(AuxWindows::kHelpWindow, "Help", "_spravka.rtf");
  aux.ShowTextWindow(AuxWindows::kAuthorsWindow, "Authors", "_avtori.rtf");
  auto* a = aux.Window(AuxWindows::kHelpWindow)->findChild<QLabel*>();
  auto* b = aux.Window(AuxWindows::kAuthorsWindow)->findChild<QLabel*>();
  ASSERT_TRUE(a && b);
  EXPECT_NE(a, b);
  EXPECT_FALSE(a->pixmap().isNull());
  EXPECT_EQ(a->pixmap().toImage(), b->pixmap().toImage());
}

TEST_F(AuxWindowsTest, TheWiringSchemeWindow) {
  aux.ShowLptSchemeWindow(Cp1251FromUtf8("Схема LPT-светомузыки"));
  QWidget* w = aux.Window(AuxWindows::kLptSchemeWindow);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), Utf8("Схема LPT-светомузыки"));
  EXPECT_EQ(w->size(), QSize(332, 644));
  EXPECT_EQ(w->findChild<QLabel*>()->geometry(), QRect(6, 6, 320, 602));
  auto* ok = w->findChild<QPushButton*>();
  EXPECT_EQ(ok->geometry(), QRect(246, 614, 80, 24));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(oks, std::vector<int>{AuxWindows::kLptSchemeOk});
  aux.CloseWindow(AuxWindows::kLptSchemeWindow);
  EXPECT_EQ(aux.Window(AuxWindows::kLptSchemeWindow), nullptr);
  EXPECT_EQ(close_requests, 0);
}

TEST_F(AuxWindowsTest, AnyOtherCloseIsTheProgramsCloseRequest) {
  aux.ShowLptSchemeWindow("Scheme");
  aux.Window(AuxWindows::kLptSchemeWindow)->close();
  EXPECT_EQ(close_requests, 1);
  EXPECT_NE(aux.Window(AuxWindows::kLptSchemeWindow), nullptr);
}

class TextWindowShellTest : public ShellFixture {};

TEST_F(TextWindowShellTest, TheMenuOpensTheTextOfTheCurrentLanguage) {
  actions.languages = {"English"};
  Start();
  std::ofstream("English_histori.rtf") << R"({\rtf1 English history})";
  std::ofstream("_histori.rtf") << R"({\rtf1 built-in history})";
  shell->OnMenuItem(TrayIcon::kHistoryItem);
  QWidget* w = shell->Aux().Window(AuxWindows::kHistoryWindow);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), Utf8("История"));
  EXPECT_EQ(w->findChild<QTextBrowser*>()->toPlainText(), "built-in history");
  shell->Ui().SetState(ctl::kLanguageBox, 0);
  shell->OnMenuItem(TrayIcon::kHistoryItem);
  w = shell->Aux().Window(AuxWindows::kHistoryWindow);
  EXPECT_EQ(w->findChild<QTextBrowser*>()->toPlainText(), "English history");
  QTest::mouseClick(w->findChild<QPushButton*>(), Qt::LeftButton);
  EXPECT_EQ(shell->Aux().Window(AuxWindows::kHistoryWindow), nullptr);
  EXPECT_EQ(quits, 0);
}

TEST_F(TextWindowShellTest, ClosingAnAuxiliaryWindowOtherwiseEndsTheProgram) {
  Start();
  shell->OnMenuItem(TrayIcon::kLptSchemeItem);
  actions.Clear();
  shell->Aux().Window(AuxWindows::kLptSchemeWindow)->close();
  EXPECT_EQ(quits, 1);
  EXPECT_EQ(actions.calls.back(), "AllOffSequence");
}

// The shipped texts: every one reads as RTF into real text.
TEST(ShippedTextsTest, HelpHistoryAndAuthorsInBothLanguages) {
  const struct {
    const char* file;
    const char* must_contain;
  } texts[] = {{"_spravka.rtf", "Порог"},       {"_histori.rtf", "2.14"},
               {"_avtori.rtf", "Lumiglow"},     {"English_spravka.rtf", "threshold"},
               {"English_histori.rtf", "2.14"}, {"English_avtori.rtf", "Lumiglow"}};
  for (const auto& t : texts) {
    SCOPED_TRACE(t.file);
    std::ifstream file(std::string(LUMIGLOW_SOURCE_DIR "/assets/") + t.file, std::ios::binary);
    ASSERT_TRUE(file);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::string text;
    for (const auto& paragraph : ParseRtf(bytes).paragraphs) {
      for (const auto& run : paragraph.runs) text += run.text;
    }
    EXPECT_GT(text.size(), 400u);
    EXPECT_NE(text.find(t.must_contain), std::string::npos);
  }
}

}  // namespace
}  // namespace lumiglow::testing
