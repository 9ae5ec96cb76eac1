// Where the program's resources (dialogs, pictures, strings) are found.
#pragma once

#include <windows.h>

namespace fw {

// The module that holds the program's resources: the program itself.
inline HINSTANCE ResourceModule() {
    return GetModuleHandleW(nullptr);
}

}  // namespace fw
