#include "app/headless/open_input.h"

#include <optional>

#include "app/headless/input_choice.h"
#include "platform/audio/demo_clip.h"
#include "platform/audio/pulse_source.h"

namespace lumiglow {

OpenedInput OpenInput(const std::string& input, bool offline, std::string& error) {
  std::optional<InputChoice> choice = ParseInputChoice(input, error);
  if (!choice) return {};
  if (choice->IsLive()) {
    CaptureTarget target;
    if (choice->kind == InputChoice::Kind::kMonitor) {
      target.kind = CaptureTarget::Kind::kDefaultMonitor;
    } else if (choice->kind == InputChoice::Kind::kPulseSource) {
      target.kind = CaptureTarget::Kind::kNamedSource;
      target.name = choice->name;
    }
    return {std::make_unique<PulseRecordingSource>(std::move(target)), nullptr};
  }
  const auto timing = offline ? ClipRecordingSource::Timing::kOffline
                                      : ClipRecordingSource::Timing::kRealTime;
  std::optional<SoundClip> clip;
  if (choice->kind == InputChoice::Kind::kDemo) {
    clip = MakeDemoClip();
  } else {
    clip = LoadSoundClip(choice->name, error);
    if (!clip) return {};
  }
  auto source = std::make_unique<ClipRecordingSource>(std::move(*clip), timing);
  ClipRecordingSource* clip_source = source.get();
  return {std::move(source), clip_source};
}

}  // namespace lumiglow
