// Pieces of the character-set converter shared by its source files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vlx::charset {

// A single-byte encoding given as a table: each byte decodes to a sequence of
// UTF-16 code units (usually one), or to nothing when the byte is undefined.
class ByteTable {
 public:
  // Parses lines "0xHH<TAB>0xHHHH[ 0xHHHH...]" (code points separated by
  // blanks or "+"); "#UNDEFINED" marks an unused byte, other lines starting
  // with "#" are comments. Nothing when the text is malformed.
  static std::optional<ByteTable> parse(std::string_view text);
  // The byte table of an ICU single-byte converter; nothing when ICU lacks it.
  static std::optional<ByteTable> fromICU(const char* icuName);

  // Sets or clears (empty `units`) the meaning of one byte.
  void define(uint8_t byte, std::u16string units);

  bool isDefined(uint8_t byte) const { return !decodeTable_[byte].empty(); }
  const std::u16string& unitsOf(uint8_t byte) const { return decodeTable_[byte]; }

  std::optional<std::u16string> decode(const uint8_t* bytes, size_t length) const;
  std::optional<std::string> encode(std::u16string_view text, bool allowLossy) const;

 private:
  void rebuildReverse();

  std::u16string decodeTable_[256];
  std::unordered_map<std::u16string, uint8_t> encodeTable_;
  size_t longestSequence_ = 0;
};

// The embedded tables of the Mac encodings ICU lacks (generated at build time).
extern const char* const kMacArabicTable;
extern const char* const kMacHebrewTable;
extern const char* const kMacThaiTable;

// ICU converters, opened once per name and kept.
std::optional<std::u16string> icuDecode(const char* icuName, const uint8_t* bytes, size_t length);
std::optional<std::string> icuEncode(const char* icuName, std::u16string_view text,
                                     bool allowLossy);
bool icuAvailable(const char* icuName);

// Raw two-byte forms of GB 2312 and KS C 5601 through their EUC forms.
std::optional<std::u16string> rawDecode(const char* eucName, const uint8_t* bytes, size_t length);
std::optional<std::string> rawEncode(const char* eucName, std::u16string_view text,
                                     bool allowLossy);

// UTF-16 with byte order marks.
std::optional<std::u16string> utf16Decode(const uint8_t* bytes, size_t length);
std::optional<std::string> utf16Encode(std::u16string_view text, bool allowLossy);

}  // namespace vlx::charset
