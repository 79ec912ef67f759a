// The scratch files of the fuzz targets that read files: one per target and
// process, in a memory-backed folder so that the fuzzer does not wait on
// the disk.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

inline std::string FuzzScratchFile(const char* tag) {
  return std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/fuzz_" + tag + "_" +
         std::to_string(::getpid()) + ".xml";
}

inline void WriteFuzzInput(const std::string& file, const uint8_t* data, size_t size) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
