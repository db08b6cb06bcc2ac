// The record codec: the byte-oriented LZ77 variant of compressed text records.
// Internal to the library.
//
// A compressed record is a sequence of tokens, told apart by their first byte:
//   0x00, 0x09-0x7F  the byte itself
//   0x01-0x08 (n)    a literal run: the next n bytes unchanged
//   0x80-0xBF        with the next byte a big-endian value v: copy (v & 7) + 3
//                    bytes from (v >> 3) & 0x7FF bytes back in the output
//   0xC0-0xFF        a space followed by the byte XOR 0x80
#pragma once

#include <cstdint>

// Compresses 1 to 4096 bytes into `dst` (room for length + ceil(length / 8)
// bytes; a longer input is taken as its first 4096); returns the bytes written. Output is byte for byte that of the
// exhaustive search for the nearest of the longest matches (at most 7 bytes,
// 3 to 2047 bytes back), found here through a chain of earlier positions per
// three-byte prefix.
extern "C" uint32_t docCompressRecord(const uint8_t* src, uint8_t* dst, uint32_t length);

// Expands one compressed record of `srcLength` bytes into `dst`, which must
// have room for 4096 bytes; returns the bytes written. A literal run cut short
// by the end of the record yields the bytes present, a back-reference byte
// that ends the record yields nothing. A damaged record (a back-reference
// reaching before `dst`, or more than 4096 bytes of output) stops the expansion
// there: the result counts the bytes written before it.
extern "C" uint32_t docExpandRecord(const uint8_t* src, uint8_t* dst, uint32_t srcLength);
