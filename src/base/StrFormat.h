// printf-style formatting into a std::string, for the program's fixed message formats.
#pragma once

#include <string>

#if defined(__MINGW32__)
// MinGW's C++ library formats with its own C99 printf (%zu, %lld), not the system's older one.
#define RV_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__)
#define RV_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define RV_PRINTF_FORMAT(fmt, args)
#endif

std::string StrFormat(const char* format, ...) RV_PRINTF_FORMAT(1, 2);
