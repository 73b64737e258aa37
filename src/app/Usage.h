#pragma once
// What "halvex --help" prints: the command line, the environment and the exit statuses.

namespace halvex {

const char* HalvexUsage();

}  // namespace halvex
