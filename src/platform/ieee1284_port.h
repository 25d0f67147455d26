// PortAccess over libieee1284, loaded with dlopen at start-up so that a
// machine without the library gets the missing-library message instead of a
// loader error. The first parallel port the kernel offers through ppdev
// (/dev/parport0 and on) is claimed and its data and control registers take
// the writes; without such a port, or without permission on it (group lp),
// the writes go nowhere.
#pragma once

#include <string>

#include "outputs/port_access.h"

struct parport;
struct parport_list;

namespace lumiglow {

inline constexpr const char* kIeee1284LibraryFile = "libieee1284.so.3";

class Ieee1284PortAccess : public PortAccess {
 public:
  explicit Ieee1284PortAccess(std::string library_file = kIeee1284LibraryFile);
  ~Ieee1284PortAccess() override;
  Ieee1284PortAccess(const Ieee1284PortAccess&) = delete;
  Ieee1284PortAccess& operator=(const Ieee1284PortAccess&) = delete;

  bool LoadPortLibrary() override;
  std::string PortLibraryFile() const override { return library_file_; }
  void Out32(int address, int value) override;
  void ReleasePortLibrary() override;

  // The claimed port's device file, empty when the writes go nowhere.
  std::string PortFile() const { return port_file_; }

 private:
  struct Api;

  void TakeFirstPort();

  std::string library_file_;
  void* library_ = nullptr;
  Api* api_ = nullptr;
  parport_list* ports_ = nullptr;
  parport* port_ = nullptr;
  std::string port_file_;
};

}  // namespace lumiglow
