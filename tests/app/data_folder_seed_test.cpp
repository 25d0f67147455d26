#include "app/headless/data_folder_seed.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace lumiglow {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

class DataFolderSeedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "lumiglow-seed-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    shipped_ = root_ / "share";
    fs::create_directories(shipped_);
    for (const char* name : {"effect.sdu", "English.lng", "_spravka.rtf", "English_avtori.rtf"})
      WriteAll(shipped_ / name, std::string("shipped ") + name);
    WriteAll(shipped_ / "lumiglow.png", "not a data file");
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
  fs::path shipped_;
};

TEST_F(DataFolderSeedTest, AFreshFolderGetsTheEffectLanguageAndHelpFiles) {
  const fs::path user = root_ / "home/.local/share/lumiglow";
  EXPECT_TRUE(SeedDataFolder(user.string(), shipped_.string()).empty());
  for (const char* name : {"effect.sdu", "English.lng", "_spravka.rtf", "English_avtori.rtf"})
    EXPECT_EQ(ReadAll(user / name), std::string("shipped ") + name);
  EXPECT_FALSE(fs::exists(user / "lumiglow.png"));
}

TEST_F(DataFolderSeedTest, TheUsersOwnFilesAreNeverReplaced) {
  const fs::path user = root_ / "user";
  fs::create_directories(user);
  WriteAll(user / "effect.sdu", "my effects");
  WriteAll(user / "setting.dat", "Invert=1\r\n");
  EXPECT_TRUE(SeedDataFolder(user.string(), shipped_.string()).empty());
  EXPECT_EQ(ReadAll(user / "effect.sdu"), "my effects");
  EXPECT_EQ(ReadAll(user / "setting.dat"), "Invert=1\r\n");
  EXPECT_EQ(ReadAll(user / "English.lng"), "shipped English.lng");
}

TEST_F(DataFolderSeedTest, WithoutAShareFolderNothingHappens) {
  const fs::path user = root_ / "user";
  EXPECT_TRUE(SeedDataFolder(user.string(), (root_ / "nowhere").string()).empty());
  EXPECT_FALSE(fs::exists(user));
}

TEST(DataFolderPaths, UserFolderFollowsTheXdgRules) {
  struct Case {
    const char* xdg;
    const char* home;
    const char* folder;
  };
  const Case cases[] = {
      {"/data", "/home/a", "/data/lumiglow"},
      {nullptr, "/home/a", "/home/a/.local/share/lumiglow"},
      {"", "/home/a", "/home/a/.local/share/lumiglow"},
      {"relative", "/home/a", "/home/a/.local/share/lumiglow"},
      {nullptr, nullptr, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UserDataFolder(c.xdg, c.home), c.folder) << (c.xdg ? c.xdg : "(null)");
}

TEST(DataFolderPaths, ShippedFilesLieBesideTheProgramsBinFolder) {
  EXPECT_EQ(ShippedFilesFolder("/usr/bin/lumiglow"), "/usr/share/lumiglow");
  EXPECT_EQ(ShippedFilesFolder("/tmp/x/usr/bin/lumiglow"), "/tmp/x/usr/share/lumiglow");
}

}  // namespace
}  // namespace lumiglow
