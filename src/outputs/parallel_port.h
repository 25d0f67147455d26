// The parallel-port output: channels 4..11 on the data lines, 12..15 on the
// control lines. SetChannel accumulates LptData and LptControl during the
// cycle; the output stage writes them here at its end.
//
// Threads: register writes come from the worker, the all-off sequence and the
// release from the user-interface thread; one lock keeps a write from meeting
// a library that is being released.
#pragma once

#include <mutex>
#include <string>

#include "outputs/port_access.h"

namespace lumiglow {

class Controls;
class UserMessages;
struct SharedState;

class ParallelPort {
 public:
  explicit ParallelPort(PortAccess& access) : access_(access) {}
  ParallelPort(const ParallelPort&) = delete;
  ParallelPort& operator=(const ParallelPort&) = delete;

  // Writes one register. The data register takes 0..255 and the control
  // register 0..15; other bits are masked off, so a stray value can never
  // reach the port's direction and interrupt bits.
  void LptOut(int address, int value);
  // Step 6 of the output stage: LptData and LptControl while LptButton is on,
  // the rest values 0 and 11 while it is off.
  void WriteRegisters(const Controls& controls, const SharedState& state);
  // The same with the register values given (the output delay's frame).
  void WriteRegisters(const Controls& controls, int32_t data, int32_t control);
  // On exit: data 0, control 11 (all lines low), then the library is released.
  void AllOff();

 private:
  PortAccess& access_;
  std::mutex mutex_;
  bool released_ = false;
};

// Start-up: loads the port-access library. When it cannot be loaded, shows the
// missing-library message (built-in texts, warning icon; its second line names
// the library file) and returns false: the program then ends with exit code 0
// without saving anything.
bool RequirePortLibrary(PortAccess& access, UserMessages& messages);

// The message's text: "Для работы программы", CR LF, "требуется файл", a blank
// and the file name, in Windows-1251.
std::string MissingPortLibraryText(const std::string& library_file);

}  // namespace lumiglow
