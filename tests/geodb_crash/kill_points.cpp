#include "kill_points.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>

namespace crash_test {
namespace {

TKillPoint gPoint;
int64_t gCalls = 0;

// True when the counted call is the one to die at; with torn writes only writes count.
bool Dies(bool isWrite = false) {
  return gPoint.At > 0 && (isWrite || !gPoint.Torn) && ++gCalls == gPoint.At;
}
void Die() { ::raise(SIGKILL); }

template <class Fn> Fn Next(const char* name) {
  return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

} // namespace

void ArmKillPoint(const TKillPoint& Point) {
  gPoint = Point;
  gCalls = 0;
}

int64_t FileChangingCalls() { return gCalls; }

} // namespace crash_test

using crash_test::Die;
using crash_test::Dies;

// The library's calls reach these definitions before the C library's.
extern "C" {

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & O_CREAT) {
    va_list ap;
    va_start(ap, flags);
    mode = static_cast<mode_t>(va_arg(ap, int));
    va_end(ap);
  }
  if ((flags & (O_CREAT | O_TRUNC)) && Dies()) Die();
  static const auto next = crash_test::Next<int (*)(const char*, int, ...)>("open");
  return next(path, flags, mode);
}

ssize_t write(int fd, const void* buf, size_t count) {
  static const auto next = crash_test::Next<ssize_t (*)(int, const void*, size_t)>("write");
  if (fd > 2 && Dies(true)) {
    if (crash_test::gPoint.Torn && count > 1) next(fd, buf, count / 2);
    Die();
  }
  return next(fd, buf, count);
}

int ftruncate(int fd, off_t length) {
  if (Dies()) Die();
  static const auto next = crash_test::Next<int (*)(int, off_t)>("ftruncate");
  return next(fd, length);
}

int fsync(int fd) {
  if (Dies()) Die();
  static const auto next = crash_test::Next<int (*)(int)>("fsync");
  return next(fd);
}

int rename(const char* from, const char* to) {
  if (Dies()) Die();
  static const auto next = crash_test::Next<int (*)(const char*, const char*)>("rename");
  return next(from, to);
}

int remove(const char* path) {
  if (Dies()) Die();
  static const auto next = crash_test::Next<int (*)(const char*)>("remove");
  return next(path);
}

} // extern "C"
