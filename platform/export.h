// Symbol visibility for libvellix. The library is built with hidden visibility;
// only what is marked VLX_EXPORT is part of its binary interface.
#pragma once

#if defined(VELLIX_BUILDING_LIBRARY)
#define VLX_EXPORT __attribute__((visibility("default")))
#else
#define VLX_EXPORT
#endif

#ifdef __cplusplus
#define VLX_EXTERN_C extern "C"
#else
#define VLX_EXTERN_C
#endif

// An exported plain function with C linkage.
#define VLX_API VLX_EXTERN_C VLX_EXPORT
