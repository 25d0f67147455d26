#include "app/headless/device_startup.h"

#include <chrono>
#include <cstdio>

#include "engine/engine.h"
#include "outputs/output_stage.h"
#include "outputs/parallel_port.h"
#include "outputs/serial_link.h"
#include "outputs/usb_link.h"
#include "platform/hidapi_access.h"
#include "platform/ieee1284_port.h"
#include "platform/ola_dmx_sender.h"
#include "platform/serial_port_linux.h"

namespace lumiglow {
namespace {

constexpr std::chrono::milliseconds kUsbPollPeriod{500};

}  // namespace

DeviceStartup::DeviceStartup()
    : DeviceStartup(std::make_unique<HidapiAccess>(), std::make_unique<LinuxSerialPortAccess>(),
                    std::make_unique<Ieee1284PortAccess>()) {}

DeviceStartup::DeviceStartup(std::unique_ptr<HidAccess> hid,
                             std::unique_ptr<SerialPortAccess> serial_ports,
                             std::unique_ptr<PortAccess> port)
    : hid_(std::move(hid)),
      serial_ports_(std::move(serial_ports)),
      port_(std::move(port)),
      lpt_(std::make_unique<ParallelPort>(*port_)) {
  hid_->HidLoadLibrary();  // failures are not reported: no controller is ever found
}

DeviceStartup::~DeviceStartup() {
  Exit();
}

bool DeviceStartup::RequirePortLibrary(UserMessages& messages) {
  return lumiglow::RequirePortLibrary(*port_, messages);
}

void DeviceStartup::Prepare(Engine& engine) {
  if (engine_) return;
  engine_ = &engine;
  serial_ = std::make_unique<SerialLink>(*serial_ports_, engine.Ui(), engine.State());
}

void DeviceStartup::ScanSerialPorts(const std::string& rs232) {
  if (serial_) serial_->ScanSerialPorts(rs232);
}

bool DeviceStartup::LoadPortLibrary() { return port_->LoadPortLibrary(); }

std::string DeviceStartup::PortLibraryFile() const { return port_->PortLibraryFile(); }

void DeviceStartup::Start(uint16_t vid, uint16_t pid, bool poll_thread) {
  if (!engine_ || stage_) return;
  usb_ = std::make_unique<UsbLink>(*hid_, engine_->Ui(), engine_->State(), vid, pid);
  stage_ = std::make_unique<OutputStage>(usb_.get(), serial_.get(), lpt_.get());
  stage_->SetOutputDelay(out_delay_);
  stage_->SetDmx(dmx_.get());
  usb_->PollUsbDevice();
  if (poll_thread) poll_thread_ = std::thread([this] { PollLoop(); });

  EngineHooks hooks = engine_->Hooks();
  hooks.output_stage = stage_.get();
  engine_->SetHooks(hooks);
}

void DeviceStartup::SetOutputDelay(int cycles) {
  out_delay_ = cycles;
  if (stage_) stage_->SetOutputDelay(cycles);
}

void DeviceStartup::SetDmx(const DmxSettings& dmx) {
  if (dmx_) {
    if (stage_) {
      stage_->RetargetDmx(dmx);
    } else {
      dmx_->Retarget(dmx);
    }
    return;
  }
  // No link until a universe is chosen: the daemon is never asked otherwise.
  if (!dmx.universe) return;
  dmx_sender_ = std::make_unique<OlaDmxSender>();
  dmx_ = std::make_unique<DmxLink>(*dmx_sender_, dmx, [](const std::string& line) {
    std::fprintf(stderr, "lumiglow: %s\n", line.c_str());
  });
  if (stage_) stage_->SetDmx(dmx_.get());
}

void DeviceStartup::Start(Engine& engine, const DeviceSettings& settings) {
  Prepare(engine);
  SetOutputDelay(settings.out_delay);
  SetDmx(settings.dmx);
  if (settings.settings_opened) ScanSerialPorts(settings.rs232);
  Start(settings.vid, settings.pid);
}

void DeviceStartup::PollLoop() {
  std::unique_lock lock(poll_mutex_);
  while (!poll_wake_.wait_for(lock, kUsbPollPeriod, [this] { return poll_stop_; })) {
    lock.unlock();
    usb_->PollUsbDevice();
    lock.lock();
  }
}

void DeviceStartup::Exit() {
  if (!stage_ || exited_) return;
  exited_ = true;
  {
    std::lock_guard lock(poll_mutex_);
    poll_stop_ = true;
  }
  poll_wake_.notify_all();
  if (poll_thread_.joinable()) poll_thread_.join();
  engine_->State().OutputsSuspended = 1;
  stage_->AllOffSequence(engine_->State());
}

}  // namespace lumiglow
