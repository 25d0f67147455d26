#include "app/headless/trace_writer.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

#include "engine/engine.h"

namespace lumiglow {

bool TraceWriter::Open(const std::string& path, std::string& error) {
  Close();
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) {
    error = "cannot write trace file '" + path + "': " + std::strerror(errno);
    return false;
  }
  std::fputs("cycle,t_ms,input_level,total", file_);
  for (int c = 1; c <= 18; ++c) std::fprintf(file_, ",ch%d", c);
  for (int b = 1; b <= 18; ++b) std::fprintf(file_, ",band%d", b);
  std::fputc('\n', file_);
  return true;
}

void TraceWriter::WriteCycle(int64_t cycle, int64_t t_ms, const Engine& engine) {
  if (!file_) return;
  const SharedState& s = engine.State();
  std::fprintf(file_, "%" PRId64 ",%" PRId64 ",%d,%.9g", cycle, t_ms,
               static_cast<int>(s.InputLevel), static_cast<double>(engine.LastRawTotal()));
  for (int c = 1; c <= 18; ++c) std::fprintf(file_, ",%d", static_cast<int>(s.ChannelStates[c]));
  for (int b = 0; b < 18; ++b) std::fprintf(file_, ",%.9g", static_cast<double>(s.BandLevels[b]));
  std::fputc('\n', file_);
}

void TraceWriter::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace lumiglow
