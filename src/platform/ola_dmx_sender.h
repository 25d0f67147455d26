// The DMX sender over the Open Lighting Architecture's streaming client: a
// local TCP connection to olad, which carries the universe to Art-Net, sACN,
// USB DMX interfaces and the rest.
#pragma once

#include <memory>

#include "outputs/dmx_link.h"

namespace ola::client {
class StreamingClient;
}

namespace lumiglow {

class OlaDmxSender : public DmxSender {
 public:
  OlaDmxSender();
  ~OlaDmxSender() override;
  bool Connect() override;
  bool Send(uint32_t universe, const std::array<uint8_t, kDmxUniverseSize>& slots) override;
  void Disconnect() override;

 private:
  std::unique_ptr<ola::client::StreamingClient> client_;
};

}  // namespace lumiglow
