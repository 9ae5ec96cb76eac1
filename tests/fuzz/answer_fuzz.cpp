// The answer as the reader sends it: any bytes, any length. Judging reads byte 3 only, and
// the version text comes from inside the answer and stays within its bounds.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "reader/protocol.h"

using namespace reader;

namespace {

// Every character of the text is a byte that follows a start byte 0x05 in the answer, in
// the answer's order.
bool IsSubsequenceAfterStart(const std::string& text, const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0, matched = 0;
    while (at < size && data[at] != 0x05)
        ++at;
    for (++at; at < size && matched < text.size(); ++at)
        matched += data[at] == static_cast<std::uint8_t>(text[matched]);
    return matched == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    // A copy of exactly `size` bytes, so that a read past the answer is caught.
    const std::vector<std::uint8_t> answer(bytes, bytes + size);
    const std::uint8_t* data = answer.data();
    const Verdict verdict = JudgeAnswer(data, size);
    FUZZ_CHECK((verdict == Verdict::Accepted) == (size > 3 && data[3] == 'Y'));
    FUZZ_CHECK((verdict == Verdict::Refused) == (size > 3 && data[3] == 'N'));
    FUZZ_CHECK(size > 3 || verdict == Verdict::Other);

    const std::string text = ExtractVersionText(data, size);
    FUZZ_CHECK(text.size() <= kMaxVersionTextLength && text.size() <= size);
    FUZZ_CHECK(text.find('\x03') == std::string::npos);  // never the end byte
    FUZZ_CHECK(text.find('\0') == std::string::npos);    // the text is a C string
    FUZZ_CHECK(IsSubsequenceAfterStart(text, data, size));
    // Bytes after the answer are not part of it: the text of a prefix is a prefix of the text.
    const std::string shorter = ExtractVersionText(data, size / 2);
    FUZZ_CHECK(text.compare(0, shorter.size(), shorter) == 0);
    // The receive buffer holds the answer followed by zeros: those zeros change nothing.
    if (size < kReceiveBufferSize) {
        std::vector<std::uint8_t> buffer(kReceiveBufferSize, 0);
        std::copy(answer.begin(), answer.end(), buffer.begin());
        FUZZ_CHECK(ExtractVersionText(buffer.data(), buffer.size()) == text);
    }
    return 0;
}
