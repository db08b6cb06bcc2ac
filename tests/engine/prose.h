// English prose for codec tests and benchmarks: the licence texts installed on
// the machine, read at run time and repeated to the size wanted, or generated
// sentences when none are installed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vlx::test {

inline std::string installedProse() {
  std::string text;
  std::error_code ec;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/share/common-licenses", ec))
    if (entry.is_regular_file(ec)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& path : files) {
    std::ifstream in(path, std::ios::binary);
    text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return text;
}

inline std::string generatedProse(size_t size) {
  static const char* const words[] = {
      "the", "reader", "of", "a", "small", "book", "turns", "its", "pages", "slowly", "while",
      "rain", "falls", "on", "old", "town", "and", "nobody", "knows", "what", "will", "happen",
      "next", "in", "story", "that", "she", "wrote", "for", "her", "brother", "when", "they",
      "were", "young", "Every", "evening", "lamp", "was", "lit", "by", "window", "river"};
  std::string text;
  uint32_t state = 12345;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += words[(state >> 16) % (sizeof words / sizeof *words)];
    text += (state >> 8) % 11 == 0 ? ".\n" : " ";
  }
  return text;
}

// At least `size` bytes of English prose.
inline std::string englishProse(size_t size) {
  std::string source = installedProse();
  if (source.size() < 4096) source = generatedProse(size);
  std::string text;
  text.reserve(size + source.size());
  while (text.size() < size) text += source;
  return text;
}

}  // namespace vlx::test
