#include "app/start_arguments.h"

std::optional<std::wstring> ProfileArgument(const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 1 || arguments[0].empty() || arguments[0][0] == L'-' ||
        arguments[0][0] == L'/')
        return std::nullopt;
    return arguments[0];
}
