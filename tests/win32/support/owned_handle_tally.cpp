#include "owned_handle_tally.h"

#include <unordered_set>

#include "framework/owned.h"

namespace fw {
namespace {

std::unordered_set<const void*>& Live() {
    static std::unordered_set<const void*> live;
    return live;
}

}  // namespace

namespace tally {

void Taken(const void* handle) {
    Live().insert(handle);
}

void Freed(const void* handle) {
    Live().erase(handle);
}

}  // namespace tally

long LiveOwnedHandles() {
    return static_cast<long>(Live().size());
}

}  // namespace fw
