// The character-set converter's dispatch: which mechanism handles each
// NSStringEncoding, and the conversion between the two numberings.
#include "platform/charset.h"

#include <array>
#include <utility>

#include "platform/charset_internal.h"

namespace vlx {
namespace {

// NS constants of their own and their CFStringEncoding counterparts.
constexpr std::array<std::pair<NSStringEncodingValue, CFStringEncodingValue>, 13> kFixedPairs{{
    {1, 0x0600},       // ASCII
    {3, 0x0920},       // EUC-JP
    {4, 0x08000100},   // UTF-8
    {5, 0x0201},       // ISO-8859-1
    {8, 0x0421},       // Shift_JIS
    {9, 0x0202},       // ISO-8859-2
    {10, 0x0100},      // UTF-16
    {11, 0x0502},      // Windows-1251
    {12, 0x0500},      // Windows-1252
    {13, 0x0503},      // Windows-1253
    {14, 0x0504},      // Windows-1254
    {15, 0x0501},      // Windows-1250
    {30, 0x0000},      // Mac OS Roman
}};

constexpr NSStringEncodingValue kHighBit = 0x80000000u;
constexpr NSStringEncodingValue cf(CFStringEncodingValue value) { return kHighBit | value; }

enum class Kind { ICU, ByteTable, Raw, UTF16 };

// How one encoding is converted. For ICU and Raw, `name` is an ICU converter
// name; for ByteTable it names the table (see byteTableFor()).
struct Charset {
  NSStringEncodingValue ns;
  Kind kind;
  const char* name;
};

// Choices behind the ICU names:
// - ISO-8859-11 serves for TIS-620: the two differ only in 0xA0 (no-break
//   space in ISO-8859-11, unused in TIS-620), while ICU's "TIS-620" alias is
//   really Windows-874, whose 0x80..0x9F punctuation would make the Thai ISO
//   and Windows encodings convert into each other unchanged.
// - windows-125x and windows-874 are ICU's Windows tables, which (like
//   Windows itself) give the unassigned bytes of 0x80..0x9F the C1 control of
//   the same value, so such bytes decode and survive a round trip.
// - "macintosh" and the x-mac-* names are ICU's Apple-derived Mac tables.
// - Big5 is Microsoft's Big5 (code page 950); Big5-HKSCS is ICU's HKSCS
//   table, a superset of HKSCS-1999; GB18030 is ICU's GB 18030 (2005
//   mapping, a superset of 2000 apart from a few code points); Shift_JIS
//   includes the NEC and IBM extensions.
// - The Mac Chinese, Japanese and Korean encodings use their base encodings
//   (Big5, EUC-CN, Shift_JIS, EUC-KR).
constexpr std::array<Charset, 46> kCharsets{{
    {1, Kind::ICU, "US-ASCII"},
    {5, Kind::ICU, "ISO-8859-1"},
    {12, Kind::ICU, "windows-1252"},
    {30, Kind::ICU, "macintosh"},
    {9, Kind::ICU, "ISO-8859-2"},
    {15, Kind::ICU, "windows-1250"},
    {cf(0x1D), Kind::ICU, "x-mac-centraleurroman"},
    {cf(0x204), Kind::ICU, "ISO-8859-4"},
    {cf(0x507), Kind::ICU, "windows-1257"},
    {cf(0x205), Kind::ICU, "ISO-8859-5"},
    {11, Kind::ICU, "windows-1251"},
    {cf(0x7), Kind::ICU, "x-mac-cyrillic"},
    {cf(0x41B), Kind::ByteTable, "cp866"},
    {cf(0xA02), Kind::ICU, "KOI8-R"},
    {cf(0xA08), Kind::ICU, "KOI8-U"},
    {cf(0x207), Kind::ICU, "ISO-8859-7"},
    {13, Kind::ICU, "windows-1253"},
    {cf(0x6), Kind::ICU, "x-mac-greek"},
    {cf(0x209), Kind::ICU, "ISO-8859-9"},
    {14, Kind::ICU, "windows-1254"},
    {cf(0x23), Kind::ICU, "x-mac-turkish"},
    {cf(0x206), Kind::ICU, "ISO-8859-6"},
    {cf(0x506), Kind::ICU, "windows-1256"},
    {cf(0x4), Kind::ByteTable, "mac-arabic"},
    {cf(0x208), Kind::ICU, "ISO-8859-8"},
    {cf(0x505), Kind::ICU, "windows-1255"},
    {cf(0x5), Kind::ByteTable, "mac-hebrew"},
    {cf(0xA03), Kind::ICU, "Big5"},
    {cf(0xA06), Kind::ICU, "Big5-HKSCS"},
    {cf(0x2), Kind::ICU, "Big5"},
    {cf(0x630), Kind::Raw, "EUC-CN"},
    {cf(0x930), Kind::ICU, "EUC-CN"},
    {cf(0x631), Kind::ICU, "GBK"},
    {cf(0x632), Kind::ICU, "GB18030"},
    {cf(0x19), Kind::ICU, "EUC-CN"},
    {8, Kind::ICU, "Shift_JIS"},
    {3, Kind::ICU, "EUC-JP"},
    {cf(0x1), Kind::ICU, "Shift_JIS"},
    {cf(0x640), Kind::Raw, "EUC-KR"},
    {cf(0x940), Kind::ICU, "EUC-KR"},
    {cf(0x3), Kind::ICU, "EUC-KR"},
    {cf(0x20B), Kind::ICU, "ISO-8859-11"},
    {cf(0x41D), Kind::ICU, "windows-874"},
    {cf(0x15), Kind::ByteTable, "mac-thai"},
    {10, Kind::UTF16, "UTF-16"},
    {4, Kind::ICU, "UTF-8"},
}};

const Charset* charsetFor(NSStringEncodingValue nsEnc) {
  for (const Charset& charset : kCharsets) {
    if (charset.ns == nsEnc) return &charset;
  }
  return nullptr;
}

std::optional<charset::ByteTable> makeByteTable(std::string_view name) {
  if (name == "mac-arabic") return charset::ByteTable::parse(charset::kMacArabicTable);
  if (name == "mac-hebrew") return charset::ByteTable::parse(charset::kMacHebrewTable);
  if (name == "mac-thai") return charset::ByteTable::parse(charset::kMacThaiTable);
  if (name == "cp866") {
    // ICU's ibm-866 follows the IBM PC convention that swaps 0x1A, 0x1C and
    // 0x7F among U+001A, U+001C and U+007F; DOS text means the ASCII controls.
    std::optional<charset::ByteTable> table = charset::ByteTable::fromICU("ibm-866");
    if (table) {
      table->define(0x1A, u"\u001A");
      table->define(0x1C, u"\u001C");
      table->define(0x7F, u"\u007F");
    }
    return table;
  }
  return std::nullopt;
}

// The byte table named `name`, built on first use and kept; null when it
// cannot be built.
const charset::ByteTable* byteTableFor(const char* name) {
  struct Slot {
    const char* name;
    bool built = false;
    std::optional<charset::ByteTable> table;
  };
  static Slot slots[] = {{"mac-arabic", false, std::nullopt}, {"mac-hebrew", false, std::nullopt},
                         {"mac-thai", false, std::nullopt}, {"cp866", false, std::nullopt}};
  for (Slot& slot : slots) {
    if (std::string_view(slot.name) != name) continue;
    if (!slot.built) {
      slot.table = makeByteTable(name);
      slot.built = true;
    }
    return slot.table ? &*slot.table : nullptr;
  }
  return nullptr;
}

}  // namespace

CFStringEncodingValue nsToCFStringEncoding(NSStringEncodingValue nsEnc) {
  for (const auto& [ns, cfValue] : kFixedPairs) {
    if (ns == nsEnc) return cfValue;
  }
  if (nsEnc & kHighBit) return nsEnc & ~kHighBit;
  return kInvalidCFStringEncoding;
}

NSStringEncodingValue cfToNSStringEncoding(CFStringEncodingValue cfEnc) {
  if (cfEnc == kInvalidCFStringEncoding) return 0;
  for (const auto& [ns, cfValue] : kFixedPairs) {
    if (cfValue == cfEnc) return ns;
  }
  return kHighBit | cfEnc;
}

bool isEncodingSupported(NSStringEncodingValue nsEnc) {
  const Charset* charset = charsetFor(nsEnc);
  if (charset == nullptr) return false;
  switch (charset->kind) {
    case Kind::ICU:
    case Kind::Raw:
      return charset::icuAvailable(charset->name);
    case Kind::ByteTable:
      return byteTableFor(charset->name) != nullptr;
    case Kind::UTF16:
      return true;
  }
  return false;
}

std::optional<std::u16string> decodeBytes(NSStringEncodingValue nsEnc, const uint8_t* bytes,
                                          size_t length) {
  const Charset* charset = charsetFor(nsEnc);
  if (charset == nullptr || (bytes == nullptr && length != 0)) return std::nullopt;
  switch (charset->kind) {
    case Kind::ICU:
      return charset::icuDecode(charset->name, bytes, length);
    case Kind::Raw:
      return charset::rawDecode(charset->name, bytes, length);
    case Kind::ByteTable: {
      const charset::ByteTable* table = byteTableFor(charset->name);
      if (table == nullptr) return std::nullopt;
      return table->decode(bytes, length);
    }
    case Kind::UTF16:
      return charset::utf16Decode(bytes, length);
  }
  return std::nullopt;
}

std::optional<std::string> encodeString(NSStringEncodingValue nsEnc, std::u16string_view text,
                                        bool allowLossy) {
  const Charset* charset = charsetFor(nsEnc);
  if (charset == nullptr) return std::nullopt;
  switch (charset->kind) {
    case Kind::ICU:
      return charset::icuEncode(charset->name, text, allowLossy);
    case Kind::Raw:
      return charset::rawEncode(charset->name, text, allowLossy);
    case Kind::ByteTable: {
      const charset::ByteTable* table = byteTableFor(charset->name);
      if (table == nullptr) return std::nullopt;
      return table->encode(text, allowLossy);
    }
    case Kind::UTF16:
      return charset::utf16Encode(text, allowLossy);
  }
  return std::nullopt;
}

}  // namespace vlx
