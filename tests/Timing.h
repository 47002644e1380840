// The generous bound of the linear-time checks, in processor seconds per
// 10 MiB of input. Debug and sanitizer builds run several times slower; a
// quadratic reader would still take minutes there.
#pragma once

#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
inline constexpr double kSecondsPer10MiB = 8.0;
#else
inline constexpr double kSecondsPer10MiB = 1.0;
#endif
