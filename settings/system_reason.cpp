#include "settings/system_reason.h"

#include <windows.h>

#include "settings/reason_text.h"
#include "settings/window_text.h"

namespace settings {
namespace {

// The system's message for `error` in `language`; empty when it has none.
std::wstring SystemMessage(std::uint32_t error, DWORD language) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message(buffer != nullptr ? buffer : L"", buffer != nullptr ? length : 0);
    LocalFree(buffer);
    return message;
}

}  // namespace

std::string SystemReason(std::uint32_t error) {
    std::wstring message = SystemMessage(error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (message.empty())  // no English message on this system: the one it has (language 0)
        message = SystemMessage(error, 0);
    return ReasonText(Utf8(message), error);
}

}  // namespace settings
