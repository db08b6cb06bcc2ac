// Figures for the encoding guesser and content sampling: nanoseconds per guess
// over 1024-byte samples, and docSample throughput over 10 MB databases made
// by txtDocConvert. A database with accented letters fills the sample within
// its first records; a pure ASCII one is read to the end of its stored text.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "encodings/conversion_table.h"
#include "encodings/enc_guesser.h"
#include "engine/conversion.h"
#include "engine/doc_format.h"
#include "engine/sampling.h"
#include "prose.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string repeatTo(const std::string& text, size_t size) {
  std::string out;
  while (out.size() < size) out += text;
  out.resize(size);
  return out;
}

void guessFigures(const char* name, VLXLangGroup group, VLXPlatform platform,
                  const std::vector<uint8_t>& sample, uint32_t stripped) {
  auto guesser = EncGuesser::initWithLangGroup(group, platform);
  if (!guesser) return;
  const int rounds = 200000;
  int32_t prob = 0;
  VLXEnc enc = 0;
  volatile int64_t sink = 0;
  auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    enc = guesser->encodingOfString(sample.data(), static_cast<uint32_t>(sample.size()), stripped,
                                    &prob);
    sink = sink + enc + prob;
  }
  double ns = secondsSince(start) * 1e9 / rounds;
  printf("  %-48s %7.0f ns/guess   (guess %d, index %d)\n", name, ns, enc, prob);
}

// Writes `text` (already in encoding `enc`) as a database; returns its path.
bool makeDatabase(const fs::path& dir, const std::string& name, const std::string& text,
                  VLXEnc enc, bool compress, fs::path* pdb) {
  fs::path txt = dir / (name + ".txt");
  *pdb = dir / (name + ".pdb");
  std::ofstream(txt, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
  auto table = ConversionTable::conversionTableWithEncodingsSource(enc, enc);
  FILE* doc0 = docOpenR(txt.c_str());
  FILE* doc1 = docOpenW(pdb->c_str());
  int err = table && doc0 && doc1 ? txtDocConvert(doc0, nullptr, name.c_str(), doc1,
                                                  VLXTypeDatabase, table.get(), compress, nullptr,
                                                  nullptr)
                                  : -1;
  docClose(doc0);
  if (docClose(doc1) != 0 && err == 0) err = -6;
  fs::remove(txt);
  if (err != 0) fprintf(stderr, "guesser_bench: writing %s failed with %d\n", pdb->c_str(), err);
  return err == 0;
}

void sampleFigures(const char* name, const fs::path& pdb) {
  const int rounds = 5;
  double best = 1e9;
  uint32_t length = 0, charsRead = 0;
  for (int i = 0; i < rounds; ++i) {
    FILE* doc = docOpenR(pdb.c_str());
    DatabaseHdrType dbHeader;
    DocHeaderType docHeader;
    uint8_t buffer[1024];
    length = sizeof buffer;
    auto start = Clock::now();
    int err = docHeaders(doc, &dbHeader, &docHeader);
    if (err == 0) err = docSample(doc, &dbHeader, &docHeader, buffer, &length, &charsRead);
    best = std::min(best, secondsSince(start));
    docClose(doc);
    if (err != 0) {
      fprintf(stderr, "guesser_bench: sampling %s failed with %d\n", pdb.c_str(), err);
      return;
    }
  }
  printf("  %-48s %8.3f ms  %7.1f MB/s   (%u high bytes, %u stored bytes read)\n", name,
         best * 1e3, charsRead / best / 1e6, length, charsRead);
}

}  // namespace

int main() {
  printf("Guessing a 1024-byte sample (mean of 200000 guesses):\n");
  std::string czech = readFile(fs::path(VELLIX_TEST_DATA_DIR) / "story-cp1250.txt");
  std::vector<uint8_t> text(czech.begin(), czech.begin() + std::min<size_t>(1024, czech.size()));
  guessFigures("text file start, group 1, computer", 1, VLXPlatformComputer, text, 0);
  std::vector<uint8_t> high;
  for (unsigned char c : czech) {
    if (c >= 0x80 && high.size() < 1024) high.push_back(c);
  }
  guessFigures("database sample (high bytes), group 1, handheld", 1, VLXPlatformPalm, high, 9000);
  guessFigures("database sample (high bytes), group 6, computer", 6, VLXPlatformComputer, high, 0);
  std::vector<uint8_t> utf8;
  for (int i = 0; i < 512; ++i) {
    utf8.push_back(0xC3);
    utf8.push_back(static_cast<uint8_t>(0xA0 + i % 32));
  }
  guessFigures("UTF-8 pairs, group 5, computer", 5, VLXPlatformComputer, utf8, 0);
  std::vector<uint8_t> ascii(1024, 'e');
  guessFigures("plain ASCII, group 2, computer", 2, VLXPlatformComputer, ascii, 0);

  fs::path dir = fs::temp_directory_path() / ("vellix-guesser-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const size_t size = 10u << 20;
  std::string accented = repeatTo(czech, size);
  std::string english = vlx::test::englishProse(size);
  for (char& c : english) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  english = repeatTo(english, size);

  printf("\ndocSample over 10 MB databases (docHeaders included, best of 5):\n");
  printf("  (writing the databases with txtDocConvert first)\n");
  struct Db {
    const char* name;
    const std::string* text;
    bool compress;
  };
  const Db dbs[] = {
      {"Czech, compressed (fills the sample early)", &accented, true},
      {"Czech, stored", &accented, false},
      {"pure ASCII, compressed (read to the end)", &english, true},
      {"pure ASCII, stored (read to the end)", &english, false},
  };
  int n = 0;
  for (const auto& db : dbs) {
    fs::path pdb;
    auto start = Clock::now();
    if (!makeDatabase(dir, "db" + std::to_string(n++), *db.text, 17, db.compress, &pdb)) continue;
    double written = secondsSince(start);
    sampleFigures(db.name, pdb);
    printf("  %-48s (%lld bytes, written in %.1f s)\n", "", static_cast<long long>(fs::file_size(pdb)),
           written);
  }

  printf("\ntxtSample of 1024 bytes:\n");
  {
    fs::path txt = dir / "sample.txt";
    std::ofstream(txt, std::ios::binary) << accented;
    const int rounds = 20000;
    FILE* f = docOpenR(txt.c_str());
    uint8_t buffer[1024];
    auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
      uint32_t length = sizeof buffer;
      txtSample(f, buffer, &length);
    }
    printf("  %-48s %7.0f ns/sample\n", "10 MB text file", secondsSince(start) * 1e9 / rounds);
    docClose(f);
  }
  fs::remove_all(dir);
  return 0;
}
