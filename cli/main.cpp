// zp350cli: configures ZP350 readers from a script (see cli_run.h).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_run.h"

namespace {

std::string Utf8Argument(const wchar_t* arg) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, arg, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, arg, -1, &text[0], length, nullptr, nullptr);
    text.pop_back();  // the terminating zero
    return text;
}

// The C library's standard streams, flushed after each piece.
class StandardStreams : public cli::Console {
public:
    void Out(std::string_view text) override { Write(stdout, text); }
    void Err(std::string_view text) override { Write(stderr, text); }

private:
    static void Write(FILE* stream, std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stream);
        std::fflush(stream);
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Texts are UTF-8; a console shows them as such.
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf8Argument(argv[i]));
    StandardStreams console;
    return cli::RunCli(args, console);
}
