#include "cli/swipe_input.h"

#include <windows.h>

#include <vector>

#include "framework/wipe.h"
#include "settings/utf8.h"

namespace cli {
namespace {

// The most a pipe's swipe is read of; a reader types a few hundred characters.
constexpr std::size_t kMaxPipedBytes = std::size_t{64} * 1024;

using fw::Wipe;

// The console's input mode for as long as the object lives: raw keys, no echo.
class RawConsole {
public:
    explicit RawConsole(HANDLE input) : input_(input) {
        saved_ = GetConsoleMode(input_, &mode_) != 0;
        if (saved_)
            SetConsoleMode(
                input_, mode_ & ~(ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT));
    }
    ~RawConsole() {
        if (saved_)
            SetConsoleMode(input_, mode_);
    }
    RawConsole(const RawConsole&) = delete;
    RawConsole& operator=(const RawConsole&) = delete;

private:
    HANDLE input_;
    DWORD mode_ = 0;
    bool saved_ = false;
};

class StandardInputSource : public SwipeSource {
public:
    bool Interactive() override {
        DWORD mode = 0;
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        return GetFileType(input) == FILE_TYPE_CHAR && GetConsoleMode(input, &mode) != 0;
    }

    std::optional<std::string> Read(int returns, unsigned pauseMs, unsigned timeoutMs) override {
        return Interactive() ? ReadConsole(returns, pauseMs, timeoutMs) : ReadPipe();
    }

private:
    // Keys as they come; the first within `timeoutMs`, each next within `pauseMs`. Ctrl+C
    // gives up.
    static std::optional<std::string> ReadConsole(int returns, unsigned pauseMs,
                                                  unsigned timeoutMs) {
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        const RawConsole raw(input);
        FlushConsoleInputBuffer(input);
        std::wstring typed;
        int returnsSeen = 0;
        while (returns == 0 || returnsSeen < returns) {
            const DWORD wait = typed.empty() ? timeoutMs : pauseMs;
            if (WaitForSingleObject(input, wait) != WAIT_OBJECT_0)
                break;
            INPUT_RECORD records[64];
            DWORD count = 0;
            if (!ReadConsoleInputW(input, records, 64, &count))
                break;
            for (DWORD i = 0; i < count; ++i) {
                const KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
                if (records[i].EventType != KEY_EVENT || !key.bKeyDown ||
                    key.uChar.UnicodeChar == 0)
                    continue;
                if (key.uChar.UnicodeChar == 0x03) {  // Ctrl+C
                    Wipe(typed);
                    return std::nullopt;
                }
                for (WORD n = 0; n < key.wRepeatCount; ++n)
                    typed += key.uChar.UnicodeChar;
                returnsSeen += key.uChar.UnicodeChar == L'\r' ? key.wRepeatCount : 0;
            }
        }
        if (typed.empty())
            return std::nullopt;
        std::string utf8 = settings::Utf8(typed);
        Wipe(typed);
        return utf8;
    }

    // Everything up to the end, line ends as carriage returns.
    static std::optional<std::string> ReadPipe() {
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        std::string bytes;
        char buffer[4096];
        DWORD got = 0;
        while (bytes.size() < kMaxPipedBytes &&
               ReadFile(input, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            bytes.append(buffer, got);
        std::string typed;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                continue;  // CR LF: one carriage return, the LF's
            typed += bytes[i] == '\n' ? '\r' : bytes[i];
        }
        Wipe(bytes);
        SecureZeroMemory(buffer, sizeof(buffer));
        if (typed.empty())
            return std::nullopt;
        return typed;
    }
};

}  // namespace

SwipeSource& StandardInput() {
    static StandardInputSource input;
    return input;
}

}  // namespace cli
