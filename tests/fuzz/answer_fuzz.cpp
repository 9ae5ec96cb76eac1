// The answer as the reader sends it: any bytes, any length. Judging reads byte 3 only, and
// the version text comes from inside the answer and stays within its bounds.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "reader/protocol.h"

using namespace reader;

void FuzzOne(FuzzInput& in) {
    // A copy of exactly the input's bytes, so that a read past the answer is caught.
    const std::vector<std::uint8_t> answer(in.data, in.data + in.size);
    const std::uint8_t* data = answer.data();
    const std::size_t size = answer.size();
    FUZZ_CHECK((JudgeAnswer(data, size) == Verdict::Accepted) == (size > 3 && data[3] == 'Y'));

    const std::string text = ExtractVersionText(data, size);
    FUZZ_CHECK(text.size() <= kMaxVersionTextLength && text.size() <= size);
    FUZZ_CHECK(text.find_first_of(std::string("\3\0", 2)) == std::string::npos);
    // Bytes after the answer are not part of it: the text of a prefix is a prefix of the text.
    const std::string shorter = ExtractVersionText(data, size / 2);
    FUZZ_CHECK(text.compare(0, shorter.size(), shorter) == 0);
}
