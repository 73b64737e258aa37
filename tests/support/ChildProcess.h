#pragma once
// Forked children for tests whose subject must run as an ordinary user (the tests themselves run
// as root in CI, and root ignores file permissions) or in a mount namespace of its own.

#include <sys/types.h>

#include <functional>

namespace halvex::testing {

// The unprivileged user and group a root test drops to.
inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;

// The exit status a child returns when it could not set itself up (drop its privileges, mount).
inline constexpr int kChildSetupFailed = 77;

// Runs `body` in a forked child and returns its exit status; -1 when it did not exit normally.
// The child ends with _exit, so nothing of the test framework runs twice.
int RunInChild(const std::function<int()>& body);

// Makes the calling child process an ordinary user: root drops to nobody, anyone else already
// is one. False when dropping failed.
bool BecomeOrdinaryUser();

// Gives the calling child process a mount namespace of its own with an empty file system of
// `kilobytes` mounted at `path`, gone when the child ends. False when mounting is not allowed.
bool MountSmallFileSystem(const char* path, int kilobytes);

}  // namespace halvex::testing
