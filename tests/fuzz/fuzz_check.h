// What the fuzz targets share: property checks, which stop the run with the condition and
// its place (libFuzzer keeps the input that broke it), and the fuzzer's bytes read from the
// front, zeros once they run out. Each target defines FuzzOne.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                            \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "property failed: %s at %s:%d\n", #condition, __FILE__, \
                         __LINE__);                                                      \
            std::abort();                                                                \
        }                                                                                \
    } while (false)

struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t Byte() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    bool Flag() { return (Byte() & 1) != 0; }
    std::uint16_t Word() {
        const std::uint8_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    std::uint32_t Long() {
        const std::uint32_t low = Word();
        return low | static_cast<std::uint32_t>(Word()) << 16;
    }
};

void FuzzOne(FuzzInput& in);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in{data, size};
    FuzzOne(in);
    return 0;
}
