// Hand-made database images for engine tests: a header, a record list, record
// 0 and records, each field settable so a test can damage exactly one thing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vlx::test {

using Bytes = std::vector<uint8_t>;

inline void be16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}
inline void be32(Bytes& b, uint32_t v) {
  be16(b, v >> 16);
  be16(b, v & 0xFFFF);
}

struct DbImage {
  std::string name = "Book";
  std::string type = "TEXt";
  std::string creator = "REAd";
  uint32_t nextRecordListID = 0;
  int numRecords = -1;  // -1: the records given plus record 0
  uint16_t version = 1;
  int length = -1;      // -1: the sum of `textLengths`
  int records = -1;     // -1: the number of text records
  std::vector<Bytes> text;       // stored text records
  std::vector<Bytes> bookmarks;  // records after the text
  std::vector<uint32_t> textLengths;
  // Offsets to use instead of the packed ones (by record number), when set.
  std::vector<std::pair<size_t, uint32_t>> offsetOverrides;

  Bytes build() const {
    const size_t count = 1 + text.size() + bookmarks.size();
    Bytes b;
    Bytes nameField(32, 0);
    std::copy(name.begin(), name.begin() + std::min<size_t>(name.size(), 32), nameField.begin());
    b.insert(b.end(), nameField.begin(), nameField.end());
    be16(b, 0);
    be16(b, 0);
    for (int i = 0; i < 6; ++i) be32(b, 0);
    b.insert(b.end(), type.begin(), type.end());
    b.insert(b.end(), creator.begin(), creator.end());
    be32(b, 0);
    be32(b, nextRecordListID);
    be16(b, numRecords >= 0 ? static_cast<uint32_t>(numRecords) : static_cast<uint32_t>(count));

    std::vector<uint32_t> offsets;
    uint32_t at = static_cast<uint32_t>(78 + 8 * count + 2);
    offsets.push_back(at);
    at += 16;
    for (const Bytes& r : text) offsets.push_back(at), at += static_cast<uint32_t>(r.size());
    for (const Bytes& r : bookmarks) offsets.push_back(at), at += static_cast<uint32_t>(r.size());
    for (auto [index, offset] : offsetOverrides) offsets[index] = offset;
    for (uint32_t offset : offsets) be32(b, offset), be32(b, 0);
    be16(b, 0);

    uint32_t total = 0;
    for (uint32_t n : textLengths) total += n;
    be16(b, version);
    be16(b, 0);
    be32(b, length >= 0 ? static_cast<uint32_t>(length) : total);
    be16(b, records >= 0 ? static_cast<uint32_t>(records) : static_cast<uint32_t>(text.size()));
    be16(b, 4096);
    be32(b, 0);
    for (const Bytes& r : text) b.insert(b.end(), r.begin(), r.end());
    for (const Bytes& r : bookmarks) b.insert(b.end(), r.begin(), r.end());
    return b;
  }
};

// A database holding `stored` as one record stored as is.
inline DbImage storedImage(const std::string& stored) {
  DbImage db;
  db.text.push_back(Bytes(stored.begin(), stored.end()));
  db.textLengths.push_back(static_cast<uint32_t>(stored.size()));
  return db;
}

inline Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A stream over a copy of `bytes` (a temporary file, removed when closed).
inline FILE* streamOf(const Bytes& bytes) {
  FILE* f = std::tmpfile();
  if (f == nullptr) return nullptr;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

// Everything written to a stream so far.
inline Bytes contentsOf(FILE* f) {
  std::fflush(f);
  long here = std::ftell(f);
  std::fseek(f, 0, SEEK_END);
  long size = std::ftell(f);
  Bytes b(static_cast<size_t>(size));
  std::rewind(f);
  if (size > 0) std::fread(b.data(), 1, b.size(), f);
  std::fseek(f, here, SEEK_SET);
  return b;
}

}  // namespace vlx::test
