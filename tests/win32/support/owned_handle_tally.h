// The handles that owners (framework/owned.h) have taken and nobody has freed yet, counted
// in test programs only, where tests use it to find leaks. A handle released to the caller
// stays counted until an owner frees it; one handed to the system (which frees it itself)
// leaves the count.
#pragma once

namespace fw {

long LiveOwnedHandles();

}  // namespace fw
