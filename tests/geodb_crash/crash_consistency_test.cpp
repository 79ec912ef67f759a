// Crash consistency of the database: a child process changes a database
// at random (additions, replacements, deletions, BLOBs, garbage
// collections, index rebuilds; direct and deferred writing) and dies, at a
// random moment or at a chosen file-changing call, sometimes in the middle
// of a write. After every death the database must open undamaged, every
// entry must read back whole, identifiers must be unique, every change the
// child reported complete must be there, the database must equal the state
// after some prefix of the changes in flight, and no temporary file may
// remain.
//
// KARTAVO_CRASH_SECONDS sets how long the random part runs (default 45);
// scripts/soak runs it for longer.
#include "crash_workload.h"
#include "kill_points.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <poll.h>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kartavo;
using namespace crash_test;

namespace {

using TState = std::map<int32_t, int32_t>; // identifier -> content tag

struct TRun {
  bool Killed = false;
  std::vector<TOpMessage> Messages;
};

// Runs the workload in a child until it ends or is killed; Deadline: kill
// it after that many microseconds (0: never).
TRun RunChild(const std::string& base, uint32_t seed, int changes, bool lazy,
              const TKillPoint& point, int deadlineMicros, const std::string& script) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe");
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ArmKillPoint(point);
    try {
      RunWorkload(base, seed, changes, lazy, fds[1], script);
    } catch (...) {
      ::_exit(2);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  TRun run;
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    int wait = -1;
    if (deadlineMicros > 0) {
      const auto left =
          std::chrono::microseconds(deadlineMicros) - (std::chrono::steady_clock::now() - start);
      wait = static_cast<int>(std::max<int64_t>(
          0, std::chrono::duration_cast<std::chrono::milliseconds>(left).count()));
    }
    pollfd p{fds[0], POLLIN, 0};
    if (::poll(&p, 1, wait) == 0) {
      ::kill(pid, SIGKILL);
      deadlineMicros = 0;
      continue;
    }
    TOpMessage m;
    const ssize_t n = ::read(fds[0], &m, sizeof m);
    if (n != static_cast<ssize_t>(sizeof m)) break;
    run.Messages.push_back(m);
  }
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.Killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  if (!run.Killed && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
    throw std::runtime_error("the workload failed with status " + std::to_string(status));
  return run;
}

void Apply(TState& s, const TOpMessage& m) {
  if (m.Kind == opDelete)
    s.erase(m.ItemId);
  else
    s[m.ItemId] = m.Tag;
}

class CrashTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("kartavo_crash_" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
           std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    base = (dir / "crash").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // Runs one child and checks the database it leaves; returns false (with
  // a test failure) when the check fails.
  bool Round(uint32_t seed, int changes, bool lazy, const TKillPoint& point, int deadline,
             const std::string& script = {}) {
    const TRun run = RunChild(base, seed, changes, lazy, point, deadline, script);
    std::vector<TOpMessage> pending;
    for (const TOpMessage& m : run.Messages) {
      if (m.Kind != opDone) {
        pending.push_back(m);
        continue;
      }
      for (const TOpMessage& p : pending)
        Apply(committed, p);
      completed += static_cast<int64_t>(pending.size());
      pending.clear();
    }
    kills += run.Killed ? 1 : 0;
    return Check(pending, seed);
  }

  bool Check(const std::vector<TOpMessage>& pending, uint32_t seed) {
    TGeoDB db(nullptr);
    db.SetDBName(base);
    const std::string where = "after round with seed " + std::to_string(seed);
    EXPECT_FALSE(db.Damaged()) << where << ": " << (db.Damaged() ? db.Damage().front() : "");
    TState disk;
    for (int n = 1; n <= db.NumEntries(); ++n) {
      const TgdbData d = db.Data(n);
      int32_t tag = 0;
      EXPECT_TRUE(StoredTag(db, n, tag)) << where << ": entry " << n << " unreadable";
      EXPECT_EQ(tag, d.Tag) << where << ": entry " << n << " (id " << d.ItemId << ") is mixed";
      EXPECT_TRUE(disk.emplace(d.ItemId, d.Tag).second)
          << where << ": identifier " << d.ItemId << " twice";
    }
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
      const std::string ext = e.path().extension().string();
      EXPECT_TRUE(ext.size() == 7 && ext.rfind(".orvg", 0) == 0)
          << where << ": " << e.path().filename() << " left behind";
    }
    // The disk holds everything complete and some prefix of what was in flight.
    TState expect = committed;
    bool matched = disk == expect;
    for (size_t k = 0; !matched && k < pending.size(); ++k) {
      Apply(expect, pending[k]);
      matched = disk == expect;
    }
    EXPECT_TRUE(matched) << where << ": " << disk.size() << " entries on disk, " << committed.size()
                         << " complete, " << pending.size() << " changes in flight";
    committed = disk; // the state the next round starts from
    ++checks;
    return !::testing::Test::HasFailure();
  }

  std::filesystem::path dir;
  std::string base;
  TState committed;
  int64_t kills = 0, completed = 0, checks = 0;
};

// A fixed sequence of every kind of change, killed at each of its
// file-changing calls in turn, with and without a torn last write.
TEST_F(CrashTest, KilledAtEveryFileChangingCall) {
  const std::string script = "araddgaiaw";
  if (!Round(1, 8, false, {}, 0, "a")) return;
  const std::filesystem::path start = dir.string() + "_start";
  std::filesystem::remove_all(start);
  std::filesystem::copy(dir, start);
  const TState startState = committed;
  int64_t points = 0;
  for (const bool lazy : {false, true}) {
    for (const bool torn : {false, true}) {
      for (int64_t at = 1;; ++at) {
        std::filesystem::remove_all(dir);
        std::filesystem::copy(start, dir);
        committed = startState;
        const int64_t before = kills;
        if (!Round(2, static_cast<int>(script.size()), lazy, {at, torn}, 0, script)) return;
        ++points;
        if (kills == before) break; // the sequence ran through
      }
    }
  }
  std::filesystem::remove_all(start);
  std::printf("[ figures  ] %lld kill points, %lld kills, %lld checks\n",
              static_cast<long long>(points), static_cast<long long>(kills),
              static_cast<long long>(checks));
  EXPECT_GT(kills, 100);
}

// The first change of a new database creates its files: killed at each
// file-changing call of that, with and without a torn write, the files left
// must open as a database (empty, or with the one entry).
TEST_F(CrashTest, KilledWhileCreatingTheDatabase) {
  int64_t points = 0;
  for (const bool lazy : {false, true})
    for (const bool torn : {false, true})
      for (int64_t at = 1;; ++at) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        committed.clear();
        const int64_t before = kills;
        if (!Round(3, 1, lazy, {at, torn}, 0, "a")) return;
        ++points;
        if (kills == before) break;
      }
  std::printf("[ figures  ] %lld kill points while creating\n", static_cast<long long>(points));
  EXPECT_GT(kills, 10);
}

TEST_F(CrashTest, KilledAtRandomMoments) {
  const char* env = std::getenv("KARTAVO_CRASH_SECONDS");
  const int seconds = env ? std::atoi(env) : 30;
  std::mt19937 rng(static_cast<uint32_t>(::getpid()));
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int rounds = 0;
  while (std::chrono::steady_clock::now() < end) {
    const uint32_t seed = rng();
    const bool lazy = rng() % 3 == 0;
    TKillPoint point;
    int deadline = 0;
    if (rng() % 2) {
      point = {static_cast<int64_t>(1 + rng() % 400), rng() % 2 == 0};
    } else {
      deadline = static_cast<int>(1000 + rng() % 200000);
    }
    if (!Round(seed, 60, lazy, point, deadline)) break;
    ++rounds;
  }
  std::printf("[ figures  ] %d rounds in %d s: %lld kills, %lld changes reported complete, "
              "%lld checks, %zu entries at the end\n",
              rounds, seconds, static_cast<long long>(kills), static_cast<long long>(completed),
              static_cast<long long>(checks), committed.size());
  EXPECT_GT(kills, 0);
}

} // namespace
