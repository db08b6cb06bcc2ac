// vellix-example: converts a text file into a Vellix e-text database and back.
//
//   vellix-example to-pdb IN.txt OUT.pdb [--from UTF-8] [--to Win-W] [--stored]
//   vellix-example to-txt IN.pdb OUT.txt [--from Win-W] [--to UTF-8]
//
// Encodings are given by their short names. The output is written beside its
// target under a temporary name and renamed into place only when complete.
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <string>
#include <unistd.h>

#include "vellix.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: vellix-example to-pdb IN.txt OUT.pdb [--from ENC] [--to ENC] [--stored]\n"
               "       vellix-example to-txt IN.pdb OUT.txt [--from ENC] [--to ENC]\n"
               "ENC is a short name such as UTF-8, Win-W, Win-CE, KOI-R.\n");
  return 2;
}

int fail(int error) {
  std::fprintf(stderr, "vellix-example: %s (error %d)\n",
               vlx::utf16ToUtf8(vlx::localizedString(
                                    error == VLXErrOpen      ? "Error opening file."
                                    : error == VLXErrNotDoc  ? "This file isn't Vellix."
                                    : error == VLXErrDamaged ? "File is in unknown format or it may be damaged."
                                    : error == VLXErrRead    ? "Error reading file, file is probably damaged."
                                    : error == VLXErrWrite   ? "Error writing file, disk may be full."
                                    : error == VLXErrConvert ? "Error converting characters."
                                                             : "Unknown error occurred."))
                   .c_str(),
               error);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  const std::string mode = argv[1];
  const bool toPdb = mode == "to-pdb";
  if (!toPdb && mode != "to-txt") return usage();
  VLXEnc from = toPdb ? VLXEncUTF8 : VLXEncWinWestern;
  VLXEnc to = toPdb ? VLXEncWinWestern : VLXEncUTF8;
  bool compress = true;
  for (int i = 4; i < argc; ++i) {
    if (std::strcmp(argv[i], "--stored") == 0) {
      compress = false;
    } else if ((std::strcmp(argv[i], "--from") == 0 || std::strcmp(argv[i], "--to") == 0) &&
               i + 1 < argc) {
      VLXEnc enc = VLXEncFromShortNameCString(argv[i + 1], 0);
      if (VLXEncToNSStringEncoding(enc) == 0) {
        std::fprintf(stderr, "vellix-example: unknown encoding %s\n", argv[i + 1]);
        return 2;
      }
      (argv[i][2] == 'f' ? from : to) = enc;
      ++i;
    } else {
      return usage();
    }
  }

  auto table = ConversionTable::conversionTableWithEncodingsSource(from, to);
  if (!table) return fail(VLXErrConvert);

  const std::string target = argv[3];
  const std::string temporary = target + ".part";
  FILE* in = docOpenR(argv[2]);
  if (!in) return fail(VLXErrOpen);
  FILE* out = docOpenW(temporary.c_str());
  if (!out) {
    docClose(in);
    return fail(VLXErrOpen);
  }

  int error;
  if (toPdb) {
    std::string name = argv[3];
    if (auto slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
    if (auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    // The database name is at most 31 bytes in the database's encoding.
    char dbName[32] = {};
    std::strncpy(dbName, name.c_str(), 31);
    char original[32];
    std::memcpy(original, dbName, sizeof dbName);
    if (!table->convertCString(dbName)) std::memcpy(dbName, original, sizeof dbName);
    error = txtDocConvert(in, nullptr, dbName, out, VLXTypeDatabase, table.get(), compress,
                          nullptr, nullptr);
  } else {
    DatabaseHdrType dbHeader;
    DocHeaderType docHeader;
    error = docHeaders(in, &dbHeader, &docHeader);
    if (error == 0)
      error = pdbDocConvert(in, &dbHeader, &docHeader, out, nullptr, VLXTypeText, table.get());
  }
  docClose(in);
  if (docClose(out) != 0 && error == 0) error = VLXErrWrite;
  if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) error = VLXErrWrite;
  if (error != 0) {
    unlink(temporary.c_str());
    return fail(error);
  }
  return 0;
}
