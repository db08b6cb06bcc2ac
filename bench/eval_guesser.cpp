// Evaluates the encoding guesser on labelled samples, sampling and guessing
// the way the converter does:
//   text files  txtSample into a 1024-byte buffer, stripped count 0, platform 1;
//   databases   docHeaders + docSample into a 1024-byte buffer, platform 2, and
//               the converter's stripped count: charsReadForSample for a stored
//               text; for a compressed one charsReadForSample scaled by
//               (file size x 95 / text length) / 100, in unsigned 32-bit steps.
// It prints, per language group, kind of file and true encoding, how often the
// guess is right, the spread of the probability index and how often the index
// falls below the threshold at which the converter asks the user.
//
//   eval_guesser CORPUS_DIR [--threshold N] [--keep DIR]
//       encodes the UTF-8 corpus (CORPUS_DIR/MANIFEST lists "<file> <group>";
//       samples in a file are separated by lines holding only "%%") in every
//       candidate encoding of its group into a temporary folder of labelled
//       samples, evaluates that folder and removes it (or keeps it in DIR).
//   eval_guesser generate CORPUS_DIR OUT_DIR
//   eval_guesser evaluate SAMPLES_DIR [--threshold N]
//
// Labelled file names: <name>.g<group>.e<encoding>.txt for text files and
// <name>.g<group>.e<encoding>.<c|s>.pdb for compressed or stored databases.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

#include "encodings/conversion_table.h"
#include "encodings/enc_guesser.h"
#include "encodings/lang_groups.h"
#include "encodings/registry.h"
#include "engine/conversion.h"
#include "engine/doc_format.h"
#include "engine/sampling.h"
#include "platform/localization.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kSampleCapacity = 1024;  // the converter's sample buffer
constexpr int32_t kDefaultThreshold = 61;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<std::string> splitSamples(const std::string& text) {
  std::vector<std::string> samples;
  std::istringstream in(text);
  std::string line, current;
  while (std::getline(in, line)) {
    if (line == "%%") {
      if (!current.empty()) samples.push_back(current);
      current.clear();
    } else {
      current += line + "\n";
    }
  }
  if (!current.empty()) samples.push_back(current);
  return samples;
}

// Encodes every corpus sample in every candidate encoding of its group: text
// files in the computer side's candidates, databases (compressed and stored)
// in the handheld side's. Characters an encoding cannot hold become "?"; their
// number is reported per group and encoding.
int generate(const fs::path& corpus, const fs::path& out) {
  std::ifstream manifest(corpus / "MANIFEST");
  if (!manifest) {
    fprintf(stderr, "eval_guesser: cannot read %s\n", (corpus / "MANIFEST").c_str());
    return 1;
  }
  fs::create_directories(out);
  std::map<std::pair<VLXLangGroup, VLXEnc>, std::pair<size_t, size_t>> lossy;  // lost, total
  std::string file;
  VLXLangGroup group;
  int files = 0;
  while (manifest >> file >> group) {
    std::vector<std::string> samples = splitSamples(readFile(corpus / file));
    std::string lang = fs::path(file).stem();
    std::vector<VLXEnc> textEncs, dbEncs;
    for (uint32_t i = 0; i < VLXLangGroupEncCount(group, VLXPlatformComputer); ++i)
      textEncs.push_back(VLXLangGroupEnc(group, VLXPlatformComputer, i));
    for (uint32_t i = 0; i < VLXLangGroupEncCount(group, VLXPlatformPalm); ++i)
      dbEncs.push_back(VLXLangGroupEnc(group, VLXPlatformPalm, i));
    std::vector<VLXEnc> all = textEncs;
    for (VLXEnc e : dbEncs)
      if (std::find(all.begin(), all.end(), e) == all.end()) all.push_back(e);

    for (size_t n = 0; n < samples.size(); ++n) {
      std::u16string text = vlx::utf8ToUtf16(samples[n]);
      for (VLXEnc enc : all) {
        auto encoder = ConversionTable::conversionTableWithEncodingsSource(VLXEncFiltered, enc);
        auto decoder = ConversionTable::conversionTableWithEncodingsSource(enc, enc);
        std::optional<std::string> bytes = encoder ? encoder->convertString(text, false)
                                                   : std::nullopt;
        if (!bytes || !decoder) {
          fprintf(stderr, "eval_guesser: cannot encode %s in %d\n", file.c_str(), enc);
          return 1;
        }
        // Characters lost to the encoding: compare the decoded text.
        std::optional<std::u16string> back = decoder->stringWithBytes(
            reinterpret_cast<const uint8_t*>(bytes->data()), static_cast<uint32_t>(bytes->size()));
        size_t lost = 0;
        if (!back || back->size() != text.size()) {
          lost = text.size();
        } else {
          for (size_t k = 0; k < text.size(); ++k) lost += (*back)[k] != text[k];
        }
        auto& tally = lossy[{group, enc}];
        tally.first += lost;
        tally.second += text.size();

        std::string base = lang + "-" + std::to_string(n + 1) + ".g" + std::to_string(group) +
                           ".e" + std::to_string(enc);
        fs::path txtPath = out / (base + ".txt");
        if (!writeFile(txtPath, *bytes)) return 1;
        if (std::find(dbEncs.begin(), dbEncs.end(), enc) != dbEncs.end()) {
          for (bool compress : {true, false}) {
            fs::path pdbPath = out / (base + (compress ? ".c.pdb" : ".s.pdb"));
            FILE* doc0 = docOpenR(txtPath.c_str());
            FILE* doc1 = docOpenW(pdbPath.c_str());
            int err = doc0 && doc1 ? txtDocConvert(doc0, nullptr, base.c_str(), doc1,
                                                   VLXTypeDatabase, decoder.get(), compress,
                                                   nullptr, nullptr)
                                   : -1;
            docClose(doc0);
            if (docClose(doc1) != 0 && err == 0) err = -6;
            if (err != 0) {
              fprintf(stderr, "eval_guesser: writing %s failed with %d\n", pdbPath.c_str(), err);
              return 1;
            }
          }
        }
        if (std::find(textEncs.begin(), textEncs.end(), enc) == textEncs.end()) {
          fs::remove(txtPath);  // only the database was wanted in this encoding
        }
      }
    }
    ++files;
  }
  printf("Generated the samples of %d corpus files in %s.\n", files, out.c_str());
  printf("Characters an encoding cannot hold (written as \"?\"):\n");
  for (const auto& [key, tally] : lossy) {
    if (tally.first == 0) continue;
    printf("  group %d, %-7s %zu of %zu characters\n", key.first,
           VLXEncShortNameCString(key.second), tally.first, tally.second);
  }
  return 0;
}

struct Outcome {
  VLXEnc guess;
  int32_t prob;
  bool sameText;  // the guess reads the file as the true encoding does
};

struct Key {
  VLXLangGroup group;
  std::string kind;  // "txt", "pdb-c", "pdb-s"
  VLXEnc enc;
  bool operator<(const Key& o) const {
    return std::tie(group, kind, enc) < std::tie(o.group, o.kind, o.enc);
  }
};

// Samples and guesses one labelled file as the converter would.
bool guessFile(const fs::path& path, VLXLangGroup group, bool database, Outcome* outcome) {
  uint8_t buffer[kSampleCapacity];
  uint32_t length = kSampleCapacity;
  uint32_t stripped = 0;
  FILE* doc = docOpenR(path.c_str());
  if (!doc) return false;
  int err;
  if (database) {
    DatabaseHdrType dbHeader;
    DocHeaderType docHeader;
    uint32_t charsRead = 0;
    err = docHeaders(doc, &dbHeader, &docHeader);
    if (err == 0) err = docSample(doc, &dbHeader, &docHeader, buffer, &length, &charsRead);
    if (err == 0) {
      const uint32_t fileSize = static_cast<uint32_t>(fileLen(doc));
      const uint32_t textSize = docHeader.length;
      stripped = docHeader.version == 1 || textSize == 0
                     ? charsRead
                     : charsRead * ((fileSize * 95u) / textSize) / 100u;
    }
  } else {
    err = txtSample(doc, buffer, &length);
  }
  docClose(doc);
  if (err != 0) {
    fprintf(stderr, "eval_guesser: sampling %s failed with %d\n", path.c_str(), err);
    return false;
  }
  auto guesser = EncGuesser::initWithLangGroup(group, database ? VLXPlatformPalm
                                                               : VLXPlatformComputer);
  if (!guesser) return false;
  outcome->guess = guesser->encodingOfString(buffer, length, stripped, &outcome->prob);
  return true;
}

// The whole text of a labelled file read in `enc`, or nothing when it does
// not decode (also for -2, 8 with high bytes, and other impossible guesses).
std::optional<std::u16string> decodeFile(const fs::path& path, bool database, VLXEnc enc) {
  auto table = ConversionTable::conversionTableWithEncodingsSource(enc, enc);
  if (!table) return std::nullopt;
  if (!database) {
    std::string bytes = readFile(path);
    return table->stringWithBytes(reinterpret_cast<const uint8_t*>(bytes.data()),
                                  static_cast<uint32_t>(bytes.size()));
  }
  FILE* doc = docOpenR(path.c_str());
  if (!doc) return std::nullopt;
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  std::u16string text;
  int err = docHeaders(doc, &dbHeader, &docHeader);
  if (err == 0) {
    err = pdbDocConvert(doc, &dbHeader, &docHeader, nullptr, &text, VLXTypeText, table.get());
  }
  docClose(doc);
  if (err != 0) return std::nullopt;
  return text;
}

std::string encName(VLXEnc enc) {
  if (enc == VLXEncCannotGuess) return "none";
  return VLXEncShortNameCString(enc);
}

int evaluate(const fs::path& dir, int32_t threshold) {
  const std::regex label(R"(^.+\.g(\d+)\.e(\d+)(\.(c|s))?\.(txt|pdb)$)");
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(dir)) paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());

  std::map<Key, std::vector<Outcome>> results;
  size_t total = 0, right = 0, same = 0, sure = 0, rightAndSure = 0, wrongButSure = 0;
  for (const auto& path : paths) {
    std::smatch m;
    std::string name = path.filename().string();
    if (!std::regex_match(name, m, label)) continue;
    VLXLangGroup group = std::stoi(m[1]);
    VLXEnc enc = std::stoi(m[2]);
    bool database = m[5] == "pdb";
    Key key{group, database ? "pdb-" + m[4].str() : "txt", enc};
    Outcome outcome;
    if (!guessFile(path, group, database, &outcome)) return 1;
    outcome.sameText = outcome.guess == enc;
    if (!outcome.sameText) {
      std::optional<std::u16string> truth = decodeFile(path, database, enc);
      std::optional<std::u16string> guessed = decodeFile(path, database, outcome.guess);
      outcome.sameText = truth && guessed && *truth == *guessed;
    }
    same += outcome.sameText;
    results[key].push_back(outcome);
    ++total;
    bool ok = outcome.guess == enc;
    bool confident = outcome.prob >= threshold;
    right += ok;
    sure += confident;
    rightAndSure += ok && confident;
    wrongButSure += !ok && confident;
  }
  if (total == 0) {
    fprintf(stderr, "eval_guesser: no labelled samples in %s\n", dir.c_str());
    return 1;
  }

  printf("\n%-5s %-5s %-7s %3s %6s %6s  %-23s %9s  %s\n", "group", "kind", "true", "n", "right",
         "same", "index min/q1/med/q3/max", ("below " + std::to_string(threshold)).c_str(),
         "wrong guesses");
  for (auto& [key, outcomes] : results) {
    std::vector<int32_t> probs;
    size_t ok = 0, below = 0, sameText = 0;
    std::map<std::string, int> wrong;
    for (const auto& o : outcomes) {
      probs.push_back(o.prob);
      if (o.guess == key.enc) {
        ++ok;
      } else {
        ++wrong[encName(o.guess)];
      }
      below += o.prob < threshold;
      sameText += o.sameText;
    }
    std::sort(probs.begin(), probs.end());
    auto q = [&](double f) { return probs[static_cast<size_t>(f * (probs.size() - 1) + 0.5)]; };
    char spread[64];
    snprintf(spread, sizeof spread, "%d/%d/%d/%d/%d", probs.front(), q(0.25), q(0.5), q(0.75),
             probs.back());
    std::string wrongText;
    for (const auto& [guess, count] : wrong) {
      wrongText += (wrongText.empty() ? "" : ", ") + guess + " x" + std::to_string(count);
    }
    printf("%-5d %-5s %-7s %3zu %5.0f%% %5.0f%%  %-23s %5zu/%-3zu  %s\n", key.group,
           key.kind.c_str(), encName(key.enc).c_str(), outcomes.size(),
           100.0 * ok / outcomes.size(), 100.0 * sameText / outcomes.size(), spread, below,
           outcomes.size(), wrongText.c_str());
  }
  printf("\nAll: %zu samples, %zu right (%.1f%%), %zu read as the same text (%.1f%%); index at or\n"
         "above %d: %zu (right %zu, wrong %zu)\n",
         total, right, 100.0 * right / total, same, 100.0 * same / total, threshold, sure,
         rightAndSure, wrongButSure);
  printf("right: the guess is the true encoding; same: the guess reads the whole text as the true\n"
         "encoding does (e.g. ISO-W for Win-W text without bytes 0x80 to 0x9F)\n");
  return 0;
}

int usage() {
  fprintf(stderr,
          "usage: eval_guesser CORPUS_DIR [--threshold N] [--keep DIR]\n"
          "       eval_guesser generate CORPUS_DIR OUT_DIR\n"
          "       eval_guesser evaluate SAMPLES_DIR [--threshold N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  int32_t threshold = kDefaultThreshold;
  std::string keep;
  for (size_t i = 0; i + 1 < args.size();) {
    if (args[i] == "--threshold") {
      threshold = std::atoi(args[i + 1].c_str());
      args.erase(args.begin() + i, args.begin() + i + 2);
    } else if (args[i] == "--keep") {
      keep = args[i + 1];
      args.erase(args.begin() + i, args.begin() + i + 2);
    } else {
      ++i;
    }
  }
  if (args.size() == 3 && args[0] == "generate") return generate(args[1], args[2]);
  if (args.size() == 2 && args[0] == "evaluate") return evaluate(args[1], threshold);
  if (args.size() != 1) return usage();

  fs::path out = keep.empty() ? fs::temp_directory_path() /
                                    ("vellix-guess-" + std::to_string(getpid()))
                              : fs::path(keep);
  int rc = generate(args[0], out);
  if (rc == 0) rc = evaluate(out, threshold);
  if (keep.empty()) fs::remove_all(out);
  return rc;
}
