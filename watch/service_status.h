// What the service manager and the event log say about the reader set-up service, for
// `zp350cli watch --status`.
#pragma once

#include "watch/watch_texts.h"

namespace watch {

ServiceReport ReadServiceReport();

}  // namespace watch
