// Throughput of ConversionTable: a table conversion (Windows-1250 to
// ISO-8859-2) with and without force-LF, and a conversion through Unicode
// (Windows-1252 to UTF-8). Prints MB/s (1 MB = 10^6 bytes of input).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "encodings/conversion_table.h"

namespace {

constexpr size_t kSize = 10 * 1000 * 1000;
constexpr int kRounds = 5;

// Prose-like bytes: letters with some upper-half ones and CR LF line ends.
std::vector<uint8_t> makeText(const char* upper) {
  std::mt19937 random(1);
  std::vector<uint8_t> text;
  text.reserve(kSize);
  const size_t upperCount = std::strlen(upper);
  while (text.size() < kSize) {
    unsigned pick = random() % 100;
    if (pick < 12) {
      text.push_back(' ');
    } else if (pick < 14 && text.size() + 2 <= kSize) {
      text.push_back('\r');
      text.push_back('\n');
    } else if (pick < 22) {
      text.push_back(static_cast<uint8_t>(upper[random() % upperCount]));
    } else {
      text.push_back(static_cast<uint8_t>('a' + random() % 26));
    }
  }
  return text;
}

// Best of kRounds conversions of a fresh copy of `text`, in MB/s.
double measure(ConversionTable& table, const std::vector<uint8_t>& text, bool forceLF,
               uint32_t& outLength) {
  double best = 0;
  for (int round = 0; round < kRounds; ++round) {
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(text.size()));
    if (buffer == nullptr) return 0;
    std::memcpy(buffer, text.data(), text.size());
    uint32_t length = static_cast<uint32_t>(text.size());
    auto start = std::chrono::steady_clock::now();
    uint8_t* result = table.convertBytes(buffer, &length, forceLF);
    auto stop = std::chrono::steady_clock::now();
    if (result == nullptr) {
      std::free(buffer);
      std::fprintf(stderr, "conversion failed\n");
      return 0;
    }
    outLength = length;
    std::free(result);
    double seconds = std::chrono::duration<double>(stop - start).count();
    double rate = static_cast<double>(text.size()) / 1e6 / seconds;
    if (rate > best) best = rate;
  }
  return best;
}

}  // namespace

int main() {
  auto table = ConversionTable::conversionTableWithEncodingsSource(17, 16);
  auto unicode = ConversionTable::conversionTableWithEncodingsSource(10, 169);
  if (!table || !unicode) {
    std::fprintf(stderr, "cannot create the conversion tables\n");
    return 1;
  }
  const std::vector<uint8_t> czech = makeText("\x9A\x9D\x9E\xE8\xEC\xF8\xF9\xE1\xED\xE9");
  const std::vector<uint8_t> french = makeText("\xE0\xE2\xE7\xE8\xE9\xEA\xEB\xEE\xF4\xF9\x9C");

  uint32_t length = 0;
  std::printf("input %zu bytes, best of %d runs\n", kSize, kRounds);
  double rate = measure(*table, czech, false, length);
  std::printf("table    Win-CE -> ISO-CE            %8.1f MB/s (%u bytes out)\n", rate, length);
  rate = measure(*table, czech, true, length);
  std::printf("table    Win-CE -> ISO-CE, force-LF  %8.1f MB/s (%u bytes out)\n", rate, length);
  rate = measure(*unicode, french, false, length);
  std::printf("no table Win-W  -> UTF-8             %8.1f MB/s (%u bytes out)\n", rate, length);
  rate = measure(*unicode, french, true, length);
  std::printf("no table Win-W  -> UTF-8, force-LF   %8.1f MB/s (%u bytes out)\n", rate, length);

  // Building a table: once per pair, so its cost matters only when re-targeting.
  ConversionTable retargeted;
  auto start = std::chrono::steady_clock::now();
  constexpr int kBuilds = 200;
  for (int i = 0; i < kBuilds; ++i) {
    retargeted.setEncodingsSource(i % 2 ? 17 : 16, i % 2 ? 16 : 17);
  }
  auto stop = std::chrono::steady_clock::now();
  std::printf("table build (single-byte pair)       %8.1f us\n",
              std::chrono::duration<double, std::micro>(stop - start).count() / kBuilds);
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kBuilds; ++i) {
    retargeted.setEncodingsSource(i % 2 ? 72 : 82, i % 2 ? 82 : 72);
  }
  stop = std::chrono::steady_clock::now();
  std::printf("table build (Big5 <-> GBK, per byte) %8.1f us\n",
              std::chrono::duration<double, std::micro>(stop - start).count() / kBuilds);
  return 0;
}
