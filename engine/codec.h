// The record codec: the byte-oriented LZ77 variant of compressed text records.
// Internal to the library.
#pragma once

#include <cstdint>

// Compresses 1 to 4096 bytes into `dst` (room for length + ceil(length / 8)
// bytes); returns the bytes written. Output is byte for byte that of the
// exhaustive nearest-longest-match search.
extern "C" uint32_t docCompressRecord(const uint8_t* src, uint8_t* dst, uint32_t length);

// Expands one compressed record of `srcLength` bytes into `dst`; returns the
// bytes written.
extern "C" uint32_t docExpandRecord(const uint8_t* src, uint8_t* dst, uint32_t srcLength);
