// The bounded expander behind docExpandRecord, for callers that must tell a
// damaged record from a good one.
#pragma once

#include <cstdint>

namespace vlx {

// Expands the record `src` of `srcLength` bytes into `dst`, which has room for
// `capacity` bytes. Returns 0, or VLXErrDamaged (-4) when a back-reference has
// distance 0 or reaches before `dst`, or the output would outgrow `capacity`.
// `*written` receives the bytes produced (up to the damage, when there is one).
int expandRecordChecked(const uint8_t* src, uint32_t srcLength, uint8_t* dst, uint32_t capacity,
                        uint32_t* written);

}  // namespace vlx
