// The effect file that comes with the program.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <set>

#include "effect_test_support.h"
#include "effects/effect_file.h"
#include "settings/parse_number.h"

namespace lumiglow {
namespace {

using effects_test::EffectRig;

std::string ShippedFile() {
  std::ifstream in(LUMIGLOW_SOURCE_DIR "/assets/effect.sdu", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Windows-1251 Cyrillic letters (Ё and ё included), blanks and hyphens.
bool IsRussianName(const std::string& name) {
  bool cyrillic = false;
  for (unsigned char c : name) {
    if (c >= 0xC0 || c == 0xA8 || c == 0xB8)
      cyrillic = true;
    else if (c != ' ' && c != '-')
      return false;
  }
  return cyrillic;
}

bool IsEnglishName(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name)
    if (!std::isalpha(c) && c != ' ' && c != '-') return false;
  return true;
}

class ShippedEffectFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = ShippedFile();
    ASSERT_FALSE(bytes_.empty());
    russian_ = ListEffectNames(bytes_, "");
    english_ = ListEffectNames(bytes_, "English");
  }
  std::string bytes_;
  std::vector<std::string> russian_, english_;
};

TEST_F(ShippedEffectFileTest, EachLanguageListsOnlyItsOwnNames) {
  ASSERT_GE(russian_.size(), 18u);  // 16 effects or more, the dark one and the random entry
  EXPECT_EQ(russian_.size(), english_.size());
  for (const std::string& name : russian_) EXPECT_TRUE(IsRussianName(name)) << name;
  for (const std::string& name : english_) EXPECT_TRUE(IsEnglishName(name)) << name;
  EXPECT_EQ(std::set<std::string>(russian_.begin(), russian_.end()).size(), russian_.size());
  EXPECT_EQ(std::set<std::string>(english_.begin(), english_.end()).size(), english_.size());
  EXPECT_EQ(english_.front(), "None");
  EXPECT_EQ(english_.back(), "Random");
}

TEST_F(ShippedEffectFileTest, BothNamesOfAnEffectLoadTheSameSteps) {
  for (std::size_t i = 0; i < russian_.size(); ++i) {
    const EffectReading russian = ReadEffect(bytes_, russian_[i]);
    const EffectReading english = ReadEffect(bytes_, english_[i]);
    EXPECT_FALSE(russian.steps.empty()) << english_[i];
    EXPECT_EQ(russian.steps, english.steps) << english_[i];
    EXPECT_EQ(russian.speed, english.speed) << english_[i];
  }
}

TEST_F(ShippedEffectFileTest, EveryStepIsEighteenChannelsOrADelay) {
  int with_speed = 0, with_delay = 0;
  for (const std::string& name : english_) {
    const EffectReading reading = ReadEffect(bytes_, name);
    if (reading.speed) {
      ++with_speed;
      EXPECT_GE(*reading.speed, 0) << name;
      EXPECT_LE(*reading.speed, 5) << name;
    }
    bool has_delay = false;
    for (const std::string& step : reading.steps) {
      if (IsDelayLine(step)) {
        has_delay = true;
        EXPECT_GT(ParseNumber(step.substr(6)), 0) << name << ": " << step;
        continue;
      }
      EXPECT_EQ(step.size(), 18u) << name << ": " << step;
      EXPECT_EQ(step.find_first_not_of("01"), std::string::npos) << name << ": " << step;
    }
    with_delay += has_delay ? 1 : 0;
  }
  EXPECT_GE(with_speed, 16);
  EXPECT_GE(with_delay, 3);
}

TEST_F(ShippedEffectFileTest, NoneIsTheFirstEntryAndDark) {
  const EffectReading none = ReadEffect(bytes_, "None");
  EXPECT_EQ(none.steps, ReadEffect(bytes_, russian_.front()).steps);
  for (const std::string& step : none.steps) EXPECT_EQ(step, std::string(18, '0'));
}

TEST_F(ShippedEffectFileTest, FillsTheBoxInBothLanguages) {
  EffectRig rig;
  rig.files.EffectFileName.Set(LUMIGLOW_SOURCE_DIR "/assets/effect.sdu");
  rig.effects.FillEffectBox();
  EXPECT_EQ(rig.BoxItems(), russian_);
  rig.files.LanguageName.Set("English");
  rig.effects.FillEffectBox();
  EXPECT_EQ(rig.BoxItems(), english_);
}

}  // namespace
}  // namespace lumiglow
