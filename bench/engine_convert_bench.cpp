// End-to-end figures for 10 MB of English prose: text file to database
// (compressed and stored) and database back to text file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "encodings/conversion_table.h"
#include "engine/conversion.h"
#include "engine/doc_format.h"
#include "prose.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr VLXEnc kWinCE = 17;
constexpr VLXEnc kISOCE = 16;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("vellix-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path textPath = dir / "prose.txt";
  const fs::path dbPath = dir / "prose.pdb";
  const fs::path backPath = dir / "back.txt";

  std::string prose = vlx::test::englishProse(10 << 20);
  prose.resize(10 << 20);
  std::ofstream(textPath, std::ios::binary).write(prose.data(), static_cast<std::streamsize>(prose.size()));
  const double mb = prose.size() / (1024.0 * 1024.0);

  auto toDatabase = ConversionTable::conversionTableWithEncodingsSource(kWinCE, kISOCE);
  auto toText = ConversionTable::conversionTableWithEncodingsSource(kISOCE, kWinCE);
  if (!toDatabase || !toText) return 1;

  bool ok = true;
  for (bool compress : {true, false}) {
    FILE* in = docOpenR(textPath.c_str());
    FILE* out = docOpenW(dbPath.c_str());
    auto start = Clock::now();
    int rc = txtDocConvert(in, nullptr, "Prose", out, 1, toDatabase.get(), compress, nullptr, nullptr);
    docClose(out);
    double write = secondsSince(start);
    docClose(in);

    in = docOpenR(dbPath.c_str());
    out = docOpenW(backPath.c_str());
    DatabaseHdrType dbHeader;
    DocHeaderType docHeader;
    start = Clock::now();
    int rc2 = docHeaders(in, &dbHeader, &docHeader);
    if (rc2 == 0) rc2 = pdbDocConvert(in, &dbHeader, &docHeader, out, nullptr, 2, toText.get());
    docClose(out);
    double read = secondsSince(start);
    docClose(in);

    bool same = rc == 0 && rc2 == 0 && fs::file_size(backPath) == prose.size();
    ok = ok && same;
    std::printf("%s, 10 MB: text->database %.3f s (%.1f MB/s, %ju bytes), database->text %.3f s (%.1f MB/s)%s\n",
                compress ? "compressed" : "stored", write, mb / write,
                static_cast<uintmax_t>(fs::file_size(dbPath)), read, mb / read,
                same ? "" : "  FAILED");
  }
  fs::remove_all(dir);
  return ok ? 0 : 1;
}
