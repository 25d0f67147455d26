// The per-cycle trace of a headless run, as CSV:
//   cycle,t_ms,input_level,total,ch1..ch18,band1..band18
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace lumiglow {

class Engine;

class TraceWriter {
 public:
  TraceWriter() = default;
  ~TraceWriter() { Close(); }
  TraceWriter(const TraceWriter&) = delete;
  TraceWriter& operator=(const TraceWriter&) = delete;

  // Creates the file and writes the header; false with `error` set on failure.
  bool Open(const std::string& path, std::string& error);
  bool IsOpen() const { return file_ != nullptr; }
  // One row for the cycle that has just ended.
  void WriteCycle(int64_t cycle, int64_t t_ms, const Engine& engine);
  void Close();

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace lumiglow
