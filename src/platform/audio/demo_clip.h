// The built-in demo: a few seconds of bass, chords and percussion synthesised
// here, so the program does its job with no sound file and no sound card.
#pragma once

#include "platform/audio/sound_clip.h"

namespace lumiglow {

SoundClip MakeDemoClip();

}  // namespace lumiglow
