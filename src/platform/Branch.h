#pragma once
// Which implementation a platform file compiles: the Linux one, the POSIX one
// (Linux, macOS, the BSDs) or the plain fallback. BRENVIK_PLATFORM_FALLBACK
// forces the fallback, so a Linux build checks that it still compiles.
#if !defined(BRENVIK_PLATFORM_FALLBACK) && defined(__linux__)
#define BRENVIK_LINUX 1
#else
#define BRENVIK_LINUX 0
#endif

#if !defined(BRENVIK_PLATFORM_FALLBACK) && (defined(__unix__) || defined(__APPLE__))
#define BRENVIK_POSIX 1
#else
#define BRENVIK_POSIX 0
#endif
