// The bytes the soak's Java runtime writes through the launcher: numbered
// chunks of 64 KiB, even ones to standard output and odd ones to standard
// error, each naming its number and stream so that a lost, doubled or
// misplaced chunk shows in the log.
#ifndef LORVEX_SOAK_CHUNKS_H
#define LORVEX_SOAK_CHUNKS_H

#include <cstdio>
#include <string>

namespace soak {

constexpr std::size_t kChunkSize = 64 * 1024;

inline std::string chunk(long index) {
  std::string bytes(kChunkSize, ' ');
  char head[64];
  int length = std::snprintf(head, sizeof head, "chunk %ld %s\r\n", index,
                             index % 2 == 0 ? "stdout" : "stderr");
  bytes.replace(0, static_cast<std::size_t>(length), head);
  for (std::size_t i = static_cast<std::size_t>(length); i < kChunkSize - 2; ++i) {
    bytes[i] = static_cast<char>('a' + (index + static_cast<long>(i)) % 26);
  }
  bytes[kChunkSize - 2] = '\r';
  bytes[kChunkSize - 1] = '\n';
  return bytes;
}

// The chunks that make this many MiB.
inline long chunksFor(long mebibytes) {
  return mebibytes * static_cast<long>(1024 * 1024 / kChunkSize);
}

}  // namespace soak

#endif
