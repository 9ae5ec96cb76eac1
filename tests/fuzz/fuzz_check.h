// What the fuzz targets share: property checks, which stop the run with the condition and
// its place (libFuzzer keeps the input that broke it), and the fuzzer's bytes read from the
// front, zeros once they run out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition) FuzzCheck(condition, #condition, __FILE__, __LINE__)

inline void FuzzCheck(bool holds, const char* condition, const char* file, int line) {
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s at %s:%d\n", condition, file, line);
    std::abort();
}

struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t Byte() { return size == 0 ? 0 : (--size, *data++); }
    bool Flag() { return (Byte() & 1) != 0; }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
};
