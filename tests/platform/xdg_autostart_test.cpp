#include "platform/xdg_autostart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "platform/program_path.h"

namespace lumiglow {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class XdgAutostartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/lumiglow-config-XXXXXX";
    folder_ = mkdtemp(pattern);
    for (const char* name : {"XDG_CONFIG_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    std::filesystem::remove_all(folder_);
  }
  std::string Entry() const { return folder_ + "/config/autostart/Lumiglow.desktop"; }

  std::string folder_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(XdgAutostartTest, AddWritesTheEntryWithTheFullPathAndRemoveDeletesIt) {
  XdgAutostart autostart("/usr/bin/lumiglow", "");
  autostart.SetAutostart(true, "Lumiglow");
  const std::string text = ReadAll(Entry());
  EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
  EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
  EXPECT_NE(text.find("\nName=Lumiglow\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=/usr/bin/lumiglow\n"), std::string::npos);
  // Adding again replaces the entry; removing deletes it; removing again is silent.
  autostart.SetAutostart(true, "Lumiglow");
  EXPECT_EQ(ReadAll(Entry()), text);
  autostart.SetAutostart(false, "Lumiglow");
  EXPECT_FALSE(std::filesystem::exists(Entry()));
  autostart.SetAutostart(false, "Lumiglow");
  EXPECT_FALSE(std::filesystem::exists(Entry()));
  EXPECT_TRUE(std::filesystem::is_empty(folder_ + "/config/autostart"));  // no temporary left
}

TEST_F(XdgAutostartTest, TheDataFolderFollowsTheProgram) {
  XdgAutostart autostart("/opt/Light Organ/lumiglow", "/home/u/.local/share/lumiglow");
  autostart.SetAutostart(true, "Lumiglow");
  EXPECT_NE(ReadAll(Entry()).find(
                "\nExec=\"/opt/Light Organ/lumiglow\" --data-dir /home/u/.local/share/lumiglow\n"),
            std::string::npos);
}

TEST_F(XdgAutostartTest, WithoutXdgConfigHomeTheEntryGoesUnderHome) {
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", folder_.c_str(), 1);
  EXPECT_EQ(XdgAutostart::AutostartFolder(), folder_ + "/.config/autostart");
  XdgAutostart("/usr/bin/lumiglow", "").SetAutostart(true, "Lumiglow");
  EXPECT_TRUE(std::filesystem::exists(folder_ + "/.config/autostart/Lumiglow.desktop"));
}

TEST_F(XdgAutostartTest, AnUnwritableFolderIsSilent) {
  setenv("XDG_CONFIG_HOME", "/proc/no-such-folder", 1);
  XdgAutostart("/usr/bin/lumiglow", "").SetAutostart(true, "Lumiglow");  // must not throw or crash
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  EXPECT_EQ(XdgAutostart::AutostartFolder(), "");
  XdgAutostart("/usr/bin/lumiglow", "").SetAutostart(true, "Lumiglow");
}

TEST(QuoteExecArgumentTest, QuotesWhatTheDesktopEntryRulesRequire) {
  const struct {
    std::string in, out;
  } cases[] = {{"/usr/bin/lumiglow", "/usr/bin/lumiglow"},
               {"/opt/a b/x", "\"/opt/a b/x\""},
               {"/opt/100%/x", "/opt/100%%/x"},
               {"/opt/$HOME/x", "\"/opt/\\\\$HOME/x\""},
               {"/opt/a\"b", "\"/opt/a\\\\\"b\""},
               {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
               {"", "\"\""}};
  for (const auto& c : cases) EXPECT_EQ(QuoteExecArgument(c.in), c.out) << c.in;
}

TEST(ProgramPathTest, IsTheRunningFile) {
  const std::string path = ProgramPath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  EXPECT_TRUE(std::filesystem::equivalent(path, "/proc/self/exe"));
  EXPECT_EQ(ProgramFolderOf("/usr/bin/lumiglow"), "/usr/bin/");
  EXPECT_EQ(ProgramFolderOf("lumiglow"), "");
}

}  // namespace
}  // namespace lumiglow
