#include "platform/ola_dmx_sender.h"

#include <ola/DmxBuffer.h>
#include <ola/client/StreamingClient.h>

namespace lumiglow {

OlaDmxSender::OlaDmxSender() = default;

OlaDmxSender::~OlaDmxSender() {
  Disconnect();
}

bool OlaDmxSender::Connect() {
  Disconnect();
  ola::client::StreamingClient::Options options;
  options.auto_start = false;  // never start a daemon behind the user's back
  client_ = std::make_unique<ola::client::StreamingClient>(options);
  if (client_->Setup()) return true;
  client_.reset();
  return false;
}

bool OlaDmxSender::Send(uint32_t universe, const std::array<uint8_t, kDmxUniverseSize>& slots) {
  if (!client_) return false;
  ola::DmxBuffer buffer(slots.data(), static_cast<unsigned int>(slots.size()));
  return client_->SendDmx(universe, buffer);
}

void OlaDmxSender::Disconnect() {
  if (!client_) return;
  client_->Stop();
  client_.reset();
}

}  // namespace lumiglow
