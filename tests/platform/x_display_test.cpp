#include "platform/x_display.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumiglow {
namespace {

TEST(XDisplayTest, MalformedOrAbsentDisplaysAreUnreachable) {
  for (const char* display :
       {"", "garbage", ":", ":x", "host:", ":123456", ":9876", "unix:9875.0"}) {
    EXPECT_FALSE(XDisplayReachable(display)) << display;
  }
}

}  // namespace
}  // namespace lumiglow

namespace lumiglow {
namespace {

// A display given as a socket path (as some systems do) is reachable while
// something listens there.
TEST(XDisplayTest, AListeningSocketIsReachable) {
  char pattern[] = "/tmp/lumiglow-x-XXXXXX";
  const std::string folder = mkdtemp(pattern);
  const std::string display = folder + "/x:0";
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", display.c_str());
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ASSERT_EQ(listen(fd, 1), 0);
  EXPECT_TRUE(XDisplayReachable(display));
  close(fd);
  unlink(display.c_str());
  EXPECT_FALSE(XDisplayReachable(display));
  rmdir(folder.c_str());
}

}  // namespace
}  // namespace lumiglow
