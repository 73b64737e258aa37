#pragma once
// Forked children for tests whose subject must run as an ordinary user (CI runs as root, which
// ignores file permissions) or in a mount namespace of its own.

#include <sys/types.h>

#include <functional>

namespace halvex::testing {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;
// Returned by a child that could not set itself up (drop its privileges, mount).
inline constexpr int kChildSetupFailed = 77;

// Runs `body` in a forked child, which ends with _exit; its exit status, or -1.
int RunInChild(const std::function<int()>& body);
// In a child: root drops to nobody; anyone else already is an ordinary user.
bool BecomeOrdinaryUser();
// In a child: mounts an empty file system of `kilobytes` at `path`, seen by this child only.
bool MountSmallFileSystem(const char* path, int kilobytes);

}  // namespace halvex::testing
