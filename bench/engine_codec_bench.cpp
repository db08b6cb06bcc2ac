// Figures for the record codec on English prose: the exhaustive search against
// the chained one (same output), and compression and expansion throughput.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "compress_oracle.h"
#include "engine/codec.h"
#include "prose.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Compresses `text` record by record; returns the compressed size.
size_t compressAll(const std::string& text, std::vector<uint8_t>* out) {
  out->resize(text.size() + text.size() / 8 + 4608);
  size_t at = 0;
  for (size_t i = 0; i < text.size(); i += 4096) {
    uint32_t n = static_cast<uint32_t>(std::min<size_t>(4096, text.size() - i));
    at += docCompressRecord(reinterpret_cast<const uint8_t*>(text.data()) + i, out->data() + at, n);
  }
  return at;
}

}  // namespace

int main() {
  const double mb = 1024.0 * 1024.0;

  // 1. Exhaustive against chained search on 1 MB of prose.
  std::string prose = vlx::test::englishProse(1 << 20);
  prose.resize(1 << 20);
  const auto* bytes = reinterpret_cast<const uint8_t*>(prose.data());

  auto start = Clock::now();
  size_t oracleSize = 0;
  std::vector<std::vector<uint8_t>> oracle;
  for (size_t i = 0; i < prose.size(); i += 4096) {
    oracle.push_back(vlx::test::exhaustiveCompress(bytes + i, 4096));
    oracleSize += oracle.back().size();
  }
  double exhaustive = secondsSince(start);

  std::vector<uint8_t> packed;
  const int rounds = 20;
  size_t fastSize = 0;
  start = Clock::now();
  for (int round = 0; round < rounds; ++round) fastSize = compressAll(prose, &packed);
  double fast = secondsSince(start) / rounds;

  // The same bytes, record by record.
  bool same = true;
  std::vector<uint8_t> record(4608);
  for (size_t i = 0, r = 0; i < prose.size(); i += 4096, ++r) {
    uint32_t n = docCompressRecord(bytes + i, record.data(), 4096);
    same = same && std::vector<uint8_t>(record.begin(), record.begin() + n) == oracle[r];
  }

  std::printf("prose: %zu bytes, compressed to %zu (%.1f%%)\n", prose.size(), fastSize,
              100.0 * fastSize / prose.size());
  std::printf("exhaustive search: %.3f s (%.2f MB/s)\n", exhaustive, prose.size() / mb / exhaustive);
  std::printf("chained search:    %.4f s (%.2f MB/s)\n", fast, prose.size() / mb / fast);
  std::printf("speed ratio: %.1fx, output %s (%zu vs %zu bytes)\n", exhaustive / fast,
              same ? "identical" : "DIFFERENT", fastSize, oracleSize);

  // 2. Throughput on 10 MB.
  std::string big = vlx::test::englishProse(10 << 20);
  big.resize(10 << 20);
  start = Clock::now();
  size_t packedSize = compressAll(big, &packed);
  double compressTime = secondsSince(start);

  // Expand record by record: find each record's end by compressing lengths again.
  std::vector<uint32_t> sizes;
  for (size_t i = 0; i < big.size(); i += 4096)
    sizes.push_back(docCompressRecord(reinterpret_cast<const uint8_t*>(big.data()) + i,
                                      record.data(), 4096));
  std::vector<uint8_t> expanded(big.size());
  start = Clock::now();
  size_t in = 0;
  size_t out = 0;
  for (uint32_t size : sizes) {
    out += docExpandRecord(packed.data() + in, expanded.data() + out, size);
    in += size;
  }
  double expandTime = secondsSince(start);
  bool roundTrip = out == big.size() && std::equal(expanded.begin(), expanded.end(), big.begin());

  std::printf("compress 10 MB: %.3f s, %.1f MB/s (%zu bytes out)\n", compressTime,
              big.size() / mb / compressTime, packedSize);
  std::printf("expand 10 MB:   %.3f s, %.1f MB/s (round trip %s)\n", expandTime,
              big.size() / mb / expandTime, roundTrip ? "exact" : "WRONG");
  return same && roundTrip ? 0 : 1;
}
