// What the parallel-port output needs of the platform: the port-access library,
// loaded once at start-up, and one register write by I/O address.
#pragma once

#include <string>

namespace lumiglow {

inline constexpr int kLptDataRegister = 888;     // 0x378
inline constexpr int kLptControlRegister = 890;  // 0x37A

class PortAccess {
 public:
  virtual ~PortAccess() = default;

  // Loads the library and takes the first parallel port. False only when the
  // library itself cannot be loaded; a machine without a port loads fine and
  // its writes go nowhere.
  virtual bool LoadPortLibrary() = 0;
  // The library's file name, as the missing-library message names it.
  virtual std::string PortLibraryFile() const = 0;
  // Writes `value` to the register at `address` (888 data, 890 control, as on
  // a PC's first port); other addresses, or no library or port, write nothing.
  virtual void Out32(int address, int value) = 0;
  // Gives the port back and unloads the library; later writes go nowhere.
  virtual void ReleasePortLibrary() = 0;
};

}  // namespace lumiglow
