#include "platform/ieee1284_port.h"

#include <dlfcn.h>
#include <ieee1284.h>

#include <cstring>

namespace lumiglow {

// The library's functions, looked up by name once it is loaded.
struct Ieee1284PortAccess::Api {
  decltype(&ieee1284_find_ports) find_ports = nullptr;
  decltype(&ieee1284_free_ports) free_ports = nullptr;
  decltype(&ieee1284_open) open = nullptr;
  decltype(&ieee1284_close) close = nullptr;
  decltype(&ieee1284_claim) claim = nullptr;
  decltype(&ieee1284_release) release = nullptr;
  decltype(&ieee1284_data_dir) data_dir = nullptr;
  decltype(&ieee1284_write_data) write_data = nullptr;
  decltype(&ieee1284_write_control) write_control = nullptr;

  bool Complete() const {
    return find_ports && free_ports && open && close && claim && release && data_dir &&
           write_data && write_control;
  }
};

namespace {

template <typename F>
void Find(void* library, const char* name, F& function) {
  function = reinterpret_cast<F>(dlsym(library, name));
}

// Only ports the kernel knows (ppdev). The library also offers guessed legacy
// addresses through /dev/port to root; on a machine without a port those writes
// would reach whatever answers at that I/O address.
bool IsKernelPort(const parport* port) {
  return port->filename && std::strncmp(port->filename, "/dev/parport", 12) == 0;
}

}  // namespace

Ieee1284PortAccess::Ieee1284PortAccess(std::string library_file)
    : library_file_(std::move(library_file)) {}

Ieee1284PortAccess::~Ieee1284PortAccess() {
  ReleasePortLibrary();
}

bool Ieee1284PortAccess::LoadPortLibrary() {
  if (library_) return true;
  library_ = dlopen(library_file_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library_) return false;
  api_ = new Api;
  Find(library_, "ieee1284_find_ports", api_->find_ports);
  Find(library_, "ieee1284_free_ports", api_->free_ports);
  Find(library_, "ieee1284_open", api_->open);
  Find(library_, "ieee1284_close", api_->close);
  Find(library_, "ieee1284_claim", api_->claim);
  Find(library_, "ieee1284_release", api_->release);
  Find(library_, "ieee1284_data_dir", api_->data_dir);
  Find(library_, "ieee1284_write_data", api_->write_data);
  Find(library_, "ieee1284_write_control", api_->write_control);
  // A library without its functions writes nothing, and says nothing.
  if (api_->Complete()) TakeFirstPort();
  return true;
}

void Ieee1284PortAccess::TakeFirstPort() {
  ports_ = new parport_list{};
  if (api_->find_ports(ports_, 0) != E1284_OK) {
    delete ports_;
    ports_ = nullptr;
    return;
  }
  for (int i = 0; i < ports_->portc; ++i) {
    parport* candidate = ports_->portv[i];
    if (!IsKernelPort(candidate)) continue;
    int capabilities = 0;
    if (api_->open(candidate, 0, &capabilities) != E1284_OK) return;
    if (api_->claim(candidate) != E1284_OK) {
      api_->close(candidate);
      return;
    }
    api_->data_dir(candidate, 0);  // data lines driven by us
    port_ = candidate;
    port_file_ = candidate->filename;
    return;
  }
}

void Ieee1284PortAccess::Out32(int address, int value) {
  if (!port_) return;
  if (address == kLptDataRegister) {
    api_->write_data(port_, static_cast<unsigned char>(value & 0xFF));
  } else if (address == kLptControlRegister) {
    // The library speaks in line levels, the register in PC terms where
    // nStrobe, nAutoFd and nSelectIn are inverted.
    api_->write_control(port_, static_cast<unsigned char>((value ^ C1284_INVERTED) & 0x0F));
  }
}

void Ieee1284PortAccess::ReleasePortLibrary() {
  if (port_) {
    api_->release(port_);
    api_->close(port_);
    port_ = nullptr;
    port_file_.clear();
  }
  if (ports_) {
    api_->free_ports(ports_);
    delete ports_;
    ports_ = nullptr;
  }
  delete api_;
  api_ = nullptr;
  if (library_) {
    dlclose(library_);
    library_ = nullptr;
  }
}

}  // namespace lumiglow
