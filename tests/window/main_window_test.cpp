#include "app/window/main_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include "engine/engine.h"
#include "window_fixture.h"

namespace lumiglow::testing {
namespace {

class NoListener : public WindowListener {
 public:
  void OnControlEvent(const ControlEvent&) override {}
  void OnMinimised() override {}
  void OnMoved() override {}
  void OnCloseRequested() override {}
};

TEST(MainWindowTest, EveryControlExistsAtItsPlaceWithItsRangeAndStartState) {
  Controls controls;
  Engine engine(controls);
  NoListener listener;
  MainWindow window(controls, engine, listener, 0, 0);
  for (auto group :
       {MainWindow::ControlGroup::kBarsAndModeBox, MainWindow::ControlGroup::kPanels,
        MainWindow::ControlGroup::kEffectBox, MainWindow::ControlGroup::kPinsAndIndicators}) {
    window.BuildControls(group);
  }
  EXPECT_EQ(window.windowTitle(), "Lumiglow");
  EXPECT_EQ(window.size(), QSize(180, 285));
  for (const ControlSpec& spec : Controls::Table()) {
    SCOPED_TRACE(std::string(spec.name) + " " + std::to_string(spec.number));
    QWidget* w = window.Control(spec.number);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->property("controlNumber").toInt(), spec.number);
    EXPECT_EQ(w->geometry(),
              QRect(spec.geometry.x, spec.geometry.y, spec.geometry.w, spec.geometry.h));
    EXPECT_EQ(w->toolTip(), QtText(spec.tooltip));
    switch (spec.kind) {
      case ControlKind::kScrollBar: {
        auto* bar = qobject_cast<QScrollBar*>(w);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->orientation(), spec.vertical ? Qt::Vertical : Qt::Horizontal);
        EXPECT_EQ(bar->minimum(), spec.minimum);
        EXPECT_EQ(bar->maximum(), spec.maximum - spec.page);
        EXPECT_EQ(bar->pageStep(), spec.page);
        EXPECT_EQ(bar->value(), spec.start);
        break;
      }
      case ControlKind::kTrackBar: {
        auto* slider = qobject_cast<QSlider*>(w);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 5);
        EXPECT_EQ(slider->tickInterval(), 1);
        EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);
        EXPECT_EQ(slider->value(), 0);
        break;
      }
      case ControlKind::kToggleButton:
      case ControlKind::kPushButton:
      case ControlKind::kImageButton: {
        auto* button = qobject_cast<QPushButton*>(w);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isCheckable(), spec.kind == ControlKind::kToggleButton);
        EXPECT_FALSE(button->isChecked());
        EXPECT_EQ(button->text(), QtText(spec.text));
        if (spec.kind == ControlKind::kImageButton) {
          EXPECT_FALSE(button->icon().isNull());
        }
        break;
      }
      case ControlKind::kComboBox: {
        auto* box = qobject_cast<QComboBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isEditable());
        EXPECT_EQ(box->count(), static_cast<int>(spec.items.size()));
        EXPECT_EQ(box->currentIndex(), -1);
        break;
      }
      case ControlKind::kTextLabel: {
        auto* label = qobject_cast<QLabel*>(w);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QtText(spec.text));
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QtColour(spec.text_colour));
        break;
      }
      case ControlKind::kSpinBox: {
        auto* spin = qobject_cast<QSpinBox*>(w);
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->minimum(), spec.minimum);
        EXPECT_EQ(spin->maximum(), spec.maximum);
        EXPECT_EQ(spin->value(), spec.start);
        EXPECT_FALSE(spin->keyboardTracking());  // one event per finished entry
        break;
      }
      case ControlKind::kImage:
        EXPECT_NE(dynamic_cast<BandIndicator*>(w), nullptr);
        EXPECT_EQ(w->size(), QSize(8, 80));
        break;
      default:
        ADD_FAILURE() << "unexpected kind";
    }
  }
  // The two texts that are emptied as soon as their buttons exist.
  EXPECT_EQ(qobject_cast<QPushButton*>(window.Control(ctl::kKeyboardButton))->text(), "");
  EXPECT_EQ(qobject_cast<QPushButton*>(window.Control(ctl::kInvertButton))->text(), "");
}

TEST(MainWindowTest, ControlsAppearGroupByGroup) {
  Controls controls;
  Engine engine(controls);
  NoListener listener;
  MainWindow window(controls, engine, listener, 0, 0);
  window.BuildControls(MainWindow::ControlGroup::kBarsAndModeBox);
  EXPECT_NE(window.Control(ctl::ThresholdBar(18)), nullptr);
  EXPECT_NE(window.Control(ctl::kModeBox), nullptr);
  EXPECT_EQ(window.Control(ctl::kBrightBar), nullptr);
  window.BuildControls(MainWindow::ControlGroup::kPanels);
  EXPECT_NE(window.Control(ctl::kComPortBox), nullptr);
  EXPECT_EQ(window.Control(ctl::kEffectBox), nullptr);
  window.BuildControls(MainWindow::ControlGroup::kEffectBox);
  EXPECT_NE(window.Control(ctl::kEffectBox), nullptr);
  EXPECT_EQ(window.Control(ctl::PinBox(1)), nullptr);
  window.BuildControls(MainWindow::ControlGroup::kPinsAndIndicators);
  EXPECT_NE(window.Indicator(18), nullptr);
}

class ShellTest : public ShellFixture {};

TEST_F(ShellTest, StartUpRunsTheStepsInOrder) {
  actions.languages = {"English"};
  Start();
  const std::vector<std::string> expected = {
      "ReadEarlySettings",   "LoadPortLibrary",  "ReadColours",    "ListPresets",
      "ListLanguages",       "LoadPreset:",      "FillEffectBox",  "LoadEffect:",
      "ReadControlSettings", "RecordLockStates", "StartRecording", "PollUsbDevice",
      "ApplyLanguage:.lng"};
  EXPECT_EQ(actions.calls, expected);
  EXPECT_EQ(shell->LightEngine().State().ResendCommands, 1);
}

TEST_F(ShellTest, WithoutALanguageFileTheBuiltInTextsStand) {
  Start();
  auto* mode = Widget<QComboBox>(ctl::kModeBox);
  const char* const items[] = {"Нету", "Ручной", "Авто", "Случайный", "Уровень 1", "Уровень 2"};
  ASSERT_EQ(mode->count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(mode->itemText(i), Utf8(items[i]));
  EXPECT_EQ(mode->currentIndex(), -1);
  EXPECT_EQ(mode->toolTip(), Utf8("Режим"));
  EXPECT_EQ(Widget<QSlider>(ctl::kSpeedBar)->toolTip(), Utf8("Скорость БО из файла"));
  EXPECT_EQ(Widget<QScrollBar>(ctl::ThresholdBar(1))->toolTip(), Utf8("13 Гц"));
  EXPECT_EQ(Widget<QScrollBar>(ctl::ThresholdBar(18))->toolTip(), Utf8("10250 Гц"));
  EXPECT_EQ(Widget<QPushButton>(ctl::kKeyboardButton)->text(), Utf8("Клава"));
  EXPECT_EQ(Widget<QPushButton>(ctl::kInvertButton)->text(), Utf8("Инверсия"));
  EXPECT_EQ(Widget<QPushButton>(ctl::kLoadEffectButton)->toolTip(),
            Utf8("Загрузить файл эффектов"));
  for (int pin = 1; pin <= 18; ++pin) {
    auto* box = Widget<QComboBox>(ctl::PinBox(pin));
    EXPECT_EQ(box->itemText(0), Utf8("Нету"));
    EXPECT_EQ(box->currentIndex(), -1);  // no settings file: no selection
  }
  EXPECT_EQ(Widget<QComboBox>(ctl::kComPortBox)->count(), 0);
  // Mode none zeroes the thresholds at start-up.
  EXPECT_EQ(Widget<QScrollBar>(ctl::ThresholdBar(1))->value(), 0);
}

TEST_F(ShellTest, TheRightPanelShowsOnlyWhenWidened) {
  Start();
  MainWindow* window = shell->Window();
  shell->ShowMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  const QPoint position = window->pos();
  auto shown = [&](int number) { return !window->Control(number)->visibleRegion().isEmpty(); };
  for (const ControlSpec& spec : Controls::Table()) {
    SCOPED_TRACE(spec.number);
    EXPECT_EQ(shown(spec.number), spec.geometry.x < 180);
  }
  QTest::mouseClick(window->Control(ctl::kExpandButton), Qt::LeftButton);
  EXPECT_EQ(window->size(), QSize(340, 285));
  for (const ControlSpec& spec : Controls::Table()) {
    SCOPED_TRACE(spec.number);
    EXPECT_TRUE(shown(spec.number));
  }
  QTest::mouseClick(window->Control(ctl::kExpandButton), Qt::LeftButton);
  EXPECT_EQ(window->size(), QSize(180, 285));
  EXPECT_EQ(window->pos(), position);
}

TEST_F(ShellTest, ChoosingAModeEntersIt) {
  Start();
  Controls& controls = shell->Ui();
  for (int c = 1; c <= 18; ++c) controls.SetState(ctl::ThresholdBar(c), 25);
  ChooseItem(Widget<QComboBox>(ctl::kModeBox), kModeAuto);
  EXPECT_EQ(shell->LightEngine().State().LightMode, kModeAuto);
  EXPECT_EQ(controls.State(ctl::kModeBox), kModeAuto);
  for (int c = 1; c <= 18; ++c) EXPECT_EQ(Widget<QScrollBar>(ctl::ThresholdBar(c))->value(), 0);
}

TEST_F(ShellTest, ManualModeLoadsTheThresholds) {
  RecordingThresholds thresholds(actions.calls);
  Start();
  EngineHooks hooks = shell->LightEngine().Hooks();
  hooks.thresholds = &thresholds;
  shell->LightEngine().SetHooks(hooks);
  actions.Clear();
  ChooseItem(Widget<QComboBox>(ctl::kModeBox), kModeManual);
  EXPECT_EQ(actions.calls, std::vector<std::string>{"LoadThresholds"});
}

TEST_F(ShellTest, CentreButtonSetsEveryThresholdTo20) {
  Start();
  QTest::mouseClick(shell->Window()->Control(ctl::kCentreButton), Qt::LeftButton);
  for (int c = 1; c <= 18; ++c) {
    EXPECT_EQ(shell->Ui().State(ctl::ThresholdBar(c)), 20);
    EXPECT_EQ(Widget<QScrollBar>(ctl::ThresholdBar(c))->value(), 20);
  }
}

TEST_F(ShellTest, BrightAndStepBarsAskForTheCommandsAgain) {
  Start();
  SharedState& state = shell->LightEngine().State();
  for (int number : {ctl::kBrightBar, ctl::kStepBar}) {
    SCOPED_TRACE(number);
    state.ResendCommands = 0;
    auto* bar = Widget<QScrollBar>(number);
    const int before = bar->value();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(shell->Ui().State(number), before + 1);
    EXPECT_EQ(state.ResendCommands, 1);
  }
}

TEST_F(ShellTest, AChangeByTheProgramRaisesNoEvent) {
  Start();
  SharedState& state = shell->LightEngine().State();
  state.ResendCommands = 0;
  shell->Ui().SetState(ctl::kBrightBar, 3);
  EXPECT_EQ(Widget<QScrollBar>(ctl::kBrightBar)->value(), 3);
  EXPECT_EQ(state.ResendCommands, 0);
}

TEST_F(ShellTest, ThresholdBarsReachTheirEnds) {
  Start();
  auto* bar = Widget<QScrollBar>(ctl::ThresholdBar(4));
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(shell->Ui().State(ctl::ThresholdBar(4)), 39);
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(shell->Ui().State(ctl::ThresholdBar(4)), 0);
  auto* agc = Widget<QScrollBar>(ctl::kAgcBar);
  agc->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(shell->Ui().State(ctl::kAgcBar), 1);
}

TEST_F(ShellTest, TheLastEffectEntryLoadsNone) {
  actions.effects = {Cp1251FromUtf8("Бегущий огонь"), "Wave", Cp1251FromUtf8("Нет")};
  Start();
  auto* box = Widget<QComboBox>(ctl::kEffectBox);
  ASSERT_EQ(box->count(), 3);
  actions.Clear();
  ChooseItem(box, 2);
  EXPECT_EQ(actions.calls, std::vector<std::string>{"LoadEffect:None"});
  EXPECT_EQ(shell->LightEngine().State().EffectIndex, 2);
  actions.Clear();
  ChooseItem(box, 1);
  EXPECT_EQ(actions.calls, std::vector<std::string>{"LoadEffect:Wave"});
  EXPECT_EQ(shell->LightEngine().State().EffectIndex, 1);
}

TEST_F(ShellTest, ChoosingTheCurrentPresetDoesNothing) {
  actions.presets = {"Party", "Calm"};
  Start();
  shell->Files().PresetName.Set("Party");
  auto* box = Widget<QComboBox>(ctl::kPresetBox);
  actions.Clear();
  ChooseItem(box, 0);
  EXPECT_TRUE(actions.calls.empty());
  ChooseItem(box, 1);
  const std::vector<std::string> expected = {"SavePreset:Party", "LoadPreset:Calm"};
  EXPECT_EQ(actions.calls, expected);
  EXPECT_EQ(shell->Files().PresetName.Get(), "Calm");
}

TEST_F(ShellTest, ALanguageChangeKeepsTheSelections) {
  actions.languages = {"English", "Deutsch"};
  actions.presets = {"Party", "Calm"};
  actions.effects = {"One", "Two", "None"};
  Start();
  Controls& controls = shell->Ui();
  controls.SetState(ctl::kModeBox, 4);
  controls.SetState(ctl::kPresetBox, 1);
  controls.SetState(ctl::kEffectBox, 1);
  shell->LightEngine().State().EffectIndex = 1;
  controls.SetState(ctl::PinBox(3), 7);
  actions.Clear();
  ChooseItem(Widget<QComboBox>(ctl::kLanguageBox), 0);
  const std::vector<std::string> expected = {"SaveOnLanguageChange", "FillEffectBox",
                                             "ApplyLanguage:English.lng"};
  EXPECT_EQ(actions.calls, expected);
  EXPECT_EQ(shell->Files().LanguageName.Get(), "English");
  EXPECT_EQ(Widget<QComboBox>(ctl::kModeBox)->currentIndex(), 4);
  EXPECT_EQ(Widget<QComboBox>(ctl::kPresetBox)->currentIndex(), 1);
  EXPECT_EQ(Widget<QComboBox>(ctl::kEffectBox)->currentIndex(), 1);
  EXPECT_EQ(Widget<QComboBox>(ctl::kLanguageBox)->currentIndex(), 0);
  EXPECT_EQ(Widget<QComboBox>(ctl::PinBox(3))->currentIndex(), 7);
  // The same language again is no change.
  actions.Clear();
  ChooseItem(Widget<QComboBox>(ctl::kLanguageBox), 0);
  EXPECT_TRUE(actions.calls.empty());
}

TEST_F(ShellTest, TheExitItemSavesSuspendsAndEnds) {
  RecordingThresholds thresholds(actions.calls);
  Start();
  EngineHooks hooks = shell->LightEngine().Hooks();
  hooks.thresholds = &thresholds;
  shell->LightEngine().SetHooks(hooks);
  shell->LightEngine().State().LightMode = kModeManual;
  shell->Files().PresetName.Set("Party");
  actions.Clear();
  shell->OnMenuItem(TrayIcon::kExitItem);
  const std::vector<std::string> expected = {"SaveThresholds", "SaveOnExitKeys", "SavePreset:Party",
                                             "RestoreLockStates", "AllOffSequence"};
  EXPECT_EQ(actions.calls, expected);
  EXPECT_EQ(shell->LightEngine().State().OutputsSuspended, 1);
  EXPECT_TRUE(shell->ExitRequested());
  EXPECT_EQ(quits, 1);
}

TEST_F(ShellTest, ClosingTheWindowSavesWithItsPositionAndEnds) {
  actions.early = {40, 60, 0, 0};
  Start();
  actions.Clear();
  shell->Window()->close();
  const std::string position = "SaveOnCloseKeys:" + std::to_string(shell->Window()->x()) + "," +
                               std::to_string(shell->Window()->y());
  const std::vector<std::string> expected = {"CloseSerialPort", position,
                                             "SavePreset:", "RestoreLockStates", "AllOffSequence"};
  EXPECT_EQ(actions.calls, expected);
  EXPECT_EQ(shell->LightEngine().State().OutputsSuspended, 1);
  EXPECT_EQ(quits, 1);
  // A second close request in the same pass does not save again.
  shell->OnCloseRequested();
  EXPECT_EQ(actions.calls.size(), expected.size());
}

TEST_F(ShellTest, TheWindowOpensWhereTheSettingsPutIt) {
  actions.early = {40, 60, 0, 0};
  Start();
  EXPECT_EQ(shell->Window()->pos(), QPoint(40, 60));
  EXPECT_EQ(shell->Window()->size(), QSize(180, 285));
}

TEST_F(ShellTest, WithoutTheLibraryTheBuiltInWarningShowsAndStartUpStops) {
  actions.missing_port_library = "libieee1284.so.3";
  shell = std::make_unique<AppShell>(actions, autostart, ShellOptions{false, false, ""});
  QString title, text;
  shell->SetWarning([&](const QString& t, const QString& m) { title = t, text = m; });
  EXPECT_FALSE(shell->StartUp());
  EXPECT_EQ(title, Utf8("Файл отсутствует!"));
  EXPECT_EQ(text, Utf8("Для работы программы\r\nтребуется файл libieee1284.so.3"));
  EXPECT_EQ(shell->Window(), nullptr);
  const std::vector<std::string> expected = {"ReadEarlySettings", "LoadPortLibrary"};
  EXPECT_EQ(actions.calls, expected);
}

TEST_F(ShellTest, IndicatorsShowTheEngineCopies) {
  Start();
  shell->LightEngine().SetChannel(5, 1);
  shell->Window()->RefreshIndicators();
  const QImage& lamp = shell->Window()->Indicator(5)->Image();
  EXPECT_EQ(lamp.pixel(3, 10), qRgb(255, 0, 0));
  EXPECT_EQ(shell->Window()->Indicator(6)->Image().pixel(3, 10), qRgb(187, 187, 187));
}

TEST_F(ShellTest, ARightClickOnAnIndicatorChoosesItsColour) {
  Start();
  QColor next = QColor(0, 0, 255);
  shell->SetColourChooser([&] { return next; });
  actions.Clear();
  QTest::mouseClick(shell->Window()->Indicator(7), Qt::RightButton);
  EXPECT_EQ(actions.calls, std::vector<std::string>{"SaveChannelColour:7:16711680"});
  next = QColor();  // cancelled
  QTest::mouseClick(shell->Window()->Indicator(7), Qt::RightButton);
  QTest::mouseClick(shell->Window()->Indicator(8), Qt::LeftButton);
  EXPECT_EQ(actions.calls.size(), 1u);
}

TEST_F(ShellTest, TheAutostartButtonsRegisterAndUnregister) {
  Start();
  shell->Window()->ToggleWidth();
  QTest::mouseClick(shell->Window()->Control(ctl::kAutostartAddButton), Qt::LeftButton);
  QTest::mouseClick(shell->Window()->Control(ctl::kAutostartRemoveButton), Qt::LeftButton);
  const std::vector<std::string> expected = {"on:Lumiglow", "off:Lumiglow"};
  EXPECT_EQ(autostart.calls, expected);
}

TEST_F(ShellTest, TheEffectFileButtonRefillsTheBoxFromTheChosenFile) {
  actions.effects = {"One", "Two", "None"};
  Start();
  shell->LightEngine().State().EffectIndex = 0;
  QString title, filter;
  shell->SetFileChooser([&](const QString& t, const QString& f) {
    title = t, filter = f;
    return QString::fromStdString(folder.Path() + "/party.sdu");
  });
  actions.Clear();
  QTest::mouseClick(shell->Window()->Control(ctl::kLoadEffectButton), Qt::LeftButton);
  EXPECT_EQ(title, Utf8("Открыть файл"));
  EXPECT_EQ(filter, Utf8("Файлы эффектов (*.sdu)"));
  EXPECT_EQ(shell->Files().EffectFileName.Get(), "party.sdu");  // in the current folder: bare
  const std::vector<std::string> expected = {"FillEffectBox", "LoadEffect:Two"};
  EXPECT_EQ(actions.calls, expected);
  EXPECT_EQ(shell->Ui().State(ctl::kEffectBox), 1);
  EXPECT_EQ(shell->LightEngine().State().EffectIndex, 0);

  // A file from another folder keeps its folder, or it could not be opened.
  shell->SetFileChooser([](const QString&, const QString&) { return QString("/opt/fx/wave.sdu"); });
  QTest::mouseClick(shell->Window()->Control(ctl::kLoadEffectButton), Qt::LeftButton);
  EXPECT_EQ(shell->Files().EffectFileName.Get(), "/opt/fx/wave.sdu");

  actions.Clear();  // cancelled: nothing
  shell->SetFileChooser([](const QString&, const QString&) { return QString(); });
  QTest::mouseClick(shell->Window()->Control(ctl::kLoadEffectButton), Qt::LeftButton);
  EXPECT_TRUE(actions.calls.empty());
}

TEST_F(ShellTest, TheKeyboardToggleRecordsAndRestoresTheLocks) {
  Start();
  shell->Window()->ToggleWidth();
  actions.Clear();
  auto* button = shell->Window()->Control(ctl::kKeyboardButton);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(shell->Ui().State(ctl::kKeyboardButton), 1);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(shell->Ui().State(ctl::kKeyboardButton), 0);
  const std::vector<std::string> expected = {"RecordLockStates", "RestoreLockStates"};
  EXPECT_EQ(actions.calls, expected);
}

TEST_F(ShellTest, WithoutATrayTheWindowShowsAtStartAndMinimisingKeepsIt) {
  if (TrayIcon::Available()) GTEST_SKIP() << "this desktop has a notification area";
  Start();
  EXPECT_FALSE(shell->TrayInUse());
  EXPECT_TRUE(shell->Window()->isVisible());
  shell->OnMinimised();
  QCoreApplication::processEvents();
  EXPECT_TRUE(shell->Window()->isVisible());
}

TEST_F(ShellTest, TheTrayMenuShowsAndHidesTheWindow) {
  Start();
  shell->OnMenuItem(TrayIcon::kHideItem);
  EXPECT_FALSE(shell->Window()->isVisible());
  shell->OnMenuItem(TrayIcon::kShowItem);
  EXPECT_TRUE(shell->Window()->isVisible());
  shell->OnMenuItem(TrayIcon::kHideItem);
  shell->OnTrayLeftPress();
  EXPECT_TRUE(shell->Window()->isVisible());
  EXPECT_EQ(quits, 0);
}

TEST_F(ShellTest, MovesStoreThePositionButTheProgramsOwnPlacingDoesNot) {
  Start();
  actions.Clear();
  shell->Window()->move(120, 80);  // placed by the program: no event from the window system
  QCoreApplication::processEvents();
  EXPECT_TRUE(actions.calls.empty());
  shell->OnMoved();
  EXPECT_EQ(actions.calls, std::vector<std::string>{"SaveWindowPosition"});
}

TEST_F(ShellTest, AComPortChoiceOpensThePort) {
  Start();
  shell->Ui().AddItem(ctl::kComPortBox, "");
  shell->Ui().AddItem(ctl::kComPortBox, "/dev/ttyUSB0");
  actions.Clear();
  ChooseItem(Widget<QComboBox>(ctl::kComPortBox), 1);
  EXPECT_EQ(actions.calls, std::vector<std::string>{"OpenChosenSerialPort"});
}

}  // namespace
}  // namespace lumiglow::testing
