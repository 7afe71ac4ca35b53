// The checks while the designer works: one worker thread checks the newest snapshot posted, the
// quick part first. A snapshot posted while another waits replaces it; one posted while another
// is being checked makes that check's slow part moot. Checks of a level already seen (an undo
// and a redo bring the same cells back) are answered at once from the last few.
#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "tools/level_editor/level_document.h"

namespace level_editor {

namespace {

// What a check depends on: the level's number and cells, and the level count (the stage).
struct CheckKey {
  int Level = 0;
  int16_t Count = 0;
  std::array<uint8_t, LEVEL_SLOT_SIZE> Cells{};
  bool operator==(const CheckKey&) const = default;
};

CheckKey KeyOf(const LevelSet& levels, int nLevel) {
  CheckKey key;
  key.Level = nLevel;
  key.Count = levels.LevelCount;
  if (nLevel >= 1 && nLevel <= LEVEL_SLOTS)
    std::ranges::copy(levels.Slot(nLevel), key.Cells.begin());
  return key;
}

// How many whole checks are kept for levels seen again.
constexpr size_t kRemembered = 16;

LevelCheck FailedCheck(int nLevel, uint64_t nRevision, const char* sWhy) {
  LevelCheck check;
  check.Level = nLevel;
  check.Revision = nRevision;
  check.Breaks.push_back({{-1, -1}, std::string("The level could not be checked: ") + sWhy});
  check.Complete = true;
  return check;
}

}  // namespace

struct LiveChecker::Worker {
  struct Job {
    LevelSet Levels;
    int Level = 0;
    uint64_t Revision = 0;
    uint64_t Ticket = 0;
    CheckKey Key;
  };

  mutable std::mutex mutex;
  std::condition_variable wake;
  bool stop = false;
  std::optional<Job> pending;
  uint64_t issued = 0;  // tickets given to posts
  uint64_t wanted = 0;  // the ticket whose result Latest() should show
  // The job on the worker (ticket 0: none), and the revision its result is to carry.
  uint64_t workingTicket = 0;
  uint64_t workingRevision = 0;
  CheckKey workingKey;
  std::optional<LevelCheck> latest;
  std::deque<std::pair<CheckKey, LevelCheck>> remembered;
  std::thread thread;

  void Publish(LevelCheck check, uint64_t nTicket) {
    if (nTicket != wanted) return;
    check.Revision = workingRevision;
    latest = std::move(check);
  }

  void Remember(const CheckKey& key, const LevelCheck& check) {
    if (remembered.size() == kRemembered) remembered.pop_front();
    remembered.emplace_back(key, check);
  }

  void Run() {
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return stop || pending.has_value(); });
      if (stop) return;
      Job job = std::move(*pending);
      pending.reset();
      workingTicket = job.Ticket;
      workingRevision = job.Revision;
      workingKey = job.Key;
      lock.unlock();
      LevelCheck check;
      try {
        check = CheckLevelRules(job.Levels, job.Level, job.Revision);
      } catch (const std::exception& e) {
        check = FailedCheck(job.Level, job.Revision, e.what());
      }
      lock.lock();
      Publish(check, job.Ticket);
      if (!check.Complete && job.Ticket == wanted && !stop) {
        lock.unlock();
        try {
          // Called off as soon as a newer snapshot is wanted, or the checker goes.
          AddReach(check, job.Levels, [&] {
            std::lock_guard asking(mutex);
            return stop || job.Ticket != wanted;
          });
        } catch (const std::exception& e) {
          check = FailedCheck(job.Level, job.Revision, e.what());
        }
        lock.lock();
        if (check.Complete) {
          Remember(job.Key, check);
          Publish(check, job.Ticket);
        } else if (job.Ticket == wanted && !stop && !pending) {
          // Wanted again just after it was called off: it starts over.
          pending = std::move(job);
        }
      }
      workingTicket = 0;
    }
  }
};

LiveChecker::LiveChecker() : worker_(std::make_unique<Worker>()) {
  worker_->thread = std::thread([worker = worker_.get()] { worker->Run(); });
}

LiveChecker::~LiveChecker() {
  {
    std::lock_guard lock(worker_->mutex);
    worker_->stop = true;
    worker_->pending.reset();
  }
  worker_->wake.notify_all();
  worker_->thread.join();
}

void LiveChecker::Post(const LevelSet& levels, int nLevel, uint64_t nRevision) {
  CheckKey key = KeyOf(levels, nLevel);
  Worker& w = *worker_;
  std::lock_guard lock(w.mutex);
  w.pending.reset();
  const auto seen =
      std::ranges::find_if(w.remembered, [&](const auto& entry) { return entry.first == key; });
  if (seen != w.remembered.end()) {
    w.wanted = ++w.issued;
    w.latest = seen->second;
    w.latest->Revision = nRevision;
    return;
  }
  if (w.workingTicket != 0 && w.workingKey == key) {
    // The level being checked is back as it was: its check stands, under the new revision.
    w.wanted = w.workingTicket;
    w.workingRevision = nRevision;
    return;
  }
  w.wanted = ++w.issued;
  w.pending = Worker::Job{levels, nLevel, nRevision, w.wanted, std::move(key)};
  w.wake.notify_one();
}

std::optional<LevelCheck> LiveChecker::Latest() const {
  std::lock_guard lock(worker_->mutex);
  return worker_->latest;
}

bool LiveChecker::Busy() const {
  std::lock_guard lock(worker_->mutex);
  return worker_->pending.has_value() ||
         (worker_->workingTicket != 0 && worker_->workingTicket == worker_->wanted);
}

}  // namespace level_editor
