#include "cli/swipe_input.h"

#include <windows.h>

#include <atomic>

#include "swipe/swipe_capture.h"

namespace cli {
namespace {

using swipe::CardText;
using swipe::SwipeCapture;

// The console's mode to put back, for the handler of Ctrl+Break and of the console closing,
// which the system runs on a thread of its own.
std::atomic<HANDLE> g_rawInput{nullptr};
std::atomic<DWORD> g_savedMode{0};

BOOL WINAPI PutModeBack(DWORD /*event*/) {
    if (const HANDLE input = g_rawInput.load())
        SetConsoleMode(input, g_savedMode.load());
    return FALSE;  // the system's own handling goes on and ends the program
}

// The console's input mode for as long as the object lives: raw keys, no echo.
class RawConsole {
public:
    explicit RawConsole(HANDLE input) : input_(input) {
        DWORD mode = 0;
        if (!GetConsoleMode(input_, &mode))
            return;
        saved_ = true;
        g_savedMode = mode;
        g_rawInput = input_;
        SetConsoleCtrlHandler(&PutModeBack, TRUE);
        SetConsoleMode(input_,
                       mode & ~(ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT));
    }
    ~RawConsole() {
        if (!saved_)
            return;
        SetConsoleMode(input_, g_savedMode.load());
        g_rawInput = nullptr;
        SetConsoleCtrlHandler(&PutModeBack, FALSE);
    }
    RawConsole(const RawConsole&) = delete;
    RawConsole& operator=(const RawConsole&) = delete;

private:
    HANDLE input_;
    bool saved_ = false;
};

class StandardInputSource : public SwipeSource {
public:
    bool Interactive() override {
        DWORD mode = 0;
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        return GetFileType(input) == FILE_TYPE_CHAR && GetConsoleMode(input, &mode) != 0;
    }

    // Keys as they come, the first within `timeoutMs`, each next within the pause; an Enter
    // or blanks alone are no swipe, and the wait goes on. Ctrl+C gives up.
    std::optional<CardText> ReadSwipe(unsigned timeoutMs) override {
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        const RawConsole raw(input);
        FlushConsoleInputBuffer(input);
        SwipeCapture capture;
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        for (;;) {
            const ULONGLONG now = GetTickCount64();
            if (capture.Empty() && now >= deadline)
                return std::nullopt;
            const DWORD wait =
                capture.Empty() ? static_cast<DWORD>(deadline - now) : SwipeCapture::kPauseMs;
            if (WaitForSingleObject(input, wait) != WAIT_OBJECT_0) {
                if (capture.Pause() == SwipeCapture::Step::Complete)
                    return swipe::Utf8Of(capture.Typed());
                continue;
            }
            if (!TakeKeys(input, capture))
                return std::nullopt;
        }
    }

    CardText ReadAll(std::size_t limit) override {
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        CardText bytes;
        char buffer[4096];
        DWORD got = 0;
        while (bytes.size() < limit &&
               ReadFile(input, buffer,
                        static_cast<DWORD>(std::min(sizeof(buffer), limit - bytes.size())), &got,
                        nullptr) &&
               got > 0)
            bytes += std::string_view(buffer, got);
        SecureZeroMemory(buffer, sizeof(buffer));
        return bytes;
    }

private:
    // Every key waiting in the console into `capture`: the swipe ends only when the reader
    // stops typing, so none of its keys is left for the shell. False when Ctrl+C gave up or
    // the console cannot be read.
    static bool TakeKeys(HANDLE input, SwipeCapture& capture) {
        INPUT_RECORD records[64];
        DWORD count = 0;
        const bool read = ReadConsoleInputW(input, records, 64, &count) != 0;
        bool goOn = read;
        for (DWORD i = 0; goOn && i < count; ++i) {
            const KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
            if (records[i].EventType != KEY_EVENT || !key.bKeyDown || key.uChar.UnicodeChar == 0)
                continue;
            goOn = key.uChar.UnicodeChar != 0x03;  // Ctrl+C
            for (WORD n = 0; goOn && n < key.wRepeatCount; ++n)
                capture.Add(key.uChar.UnicodeChar);
        }
        SecureZeroMemory(records, sizeof(records));
        if (!goOn)
            capture.Clear();
        return goOn;
    }
};

}  // namespace

SwipeSource& StandardInput() {
    static StandardInputSource input;
    return input;
}

}  // namespace cli
