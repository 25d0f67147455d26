// `lumiglow --list-inputs`: the sources of the sound server in two groups,
// microphones and line inputs first, then the monitors of outputs.
#pragma once

#include <string>
#include <vector>

#include "platform/audio/pulse_inputs.h"

namespace lumiglow {

// The printed list: each group under its heading, one "  NAME  DESCRIPTION"
// line per source with the names padded to one column; an empty group says "(none)".
std::string FormatInputList(const std::vector<PulseSourceInfo>& sources);

// Prints the list to standard output; returns the exit code (1 when no server answers).
int ListInputs();

}  // namespace lumiglow
