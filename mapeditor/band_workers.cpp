#include "mapeditor/band_workers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace mapeditor {

namespace {

// Threads started on first use and kept waiting. A piece of work is handed
// out part by part: each thread, the caller included, takes the next part
// until none is left. The caller returns once every part is done and no
// thread still holds the work, so nothing runs a piece of work after it.
class Workers {
 public:
  explicit Workers(int count) {
    for (int i = 0; i < count; ++i) threads_.emplace_back([this] { serve(); });
  }
  ~Workers() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
  }
  Workers(const Workers&) = delete;
  Workers& operator=(const Workers&) = delete;

  void run(int parts, const std::function<void(int)>& part) {
    // One piece of work at a time; a second caller does its own alone.
    std::unique_lock busy(busy_, std::try_to_lock);
    if (!busy) {
      for (int p = 0; p < parts; ++p) part(p);
      return;
    }
    {
      std::lock_guard lock(mutex_);
      job_ = &part;
      parts_ = parts;
      done_ = 0;
      next_.store(0);
      ++generation_;
    }
    wake_.notify_all();
    int mine = take(part, parts);
    std::unique_lock lock(mutex_);
    done_ += mine;
    finished_.wait(lock, [&] { return done_ == parts_ && holding_ == 0; });
    job_ = nullptr;
  }

 private:
  int take(const std::function<void(int)>& part, int parts) {
    int count = 0;
    for (int p = next_.fetch_add(1); p < parts; p = next_.fetch_add(1)) {
      part(p);
      ++count;
    }
    return count;
  }

  void serve() {
    uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
      if (stop_) return;
      seen = generation_;
      if (!job_) continue;  // finished before this thread woke
      const std::function<void(int)>& part = *job_;
      const int parts = parts_;
      ++holding_;
      lock.unlock();
      int mine = take(part, parts);
      lock.lock();
      done_ += mine;
      --holding_;
      if (done_ == parts_ && holding_ == 0) finished_.notify_all();
    }
  }

  std::mutex busy_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  const std::function<void(int)>* job_ = nullptr;
  int parts_ = 0;
  int done_ = 0;
  int holding_ = 0;
  uint64_t generation_ = 0;
  bool stop_ = false;
  std::atomic<int> next_{0};
  std::vector<std::thread> threads_;
};

Workers& TheWorkers() {
  static Workers workers(AvailableBandParts() - 1);
  return workers;
}

}  // namespace

int AvailableBandParts() {
  unsigned cores = std::thread::hardware_concurrency();
  return std::clamp(static_cast<int>(cores), 1, kMaxBandParts);
}

void RunBandParts(int parts, const std::function<void(int)>& part) {
  if (parts <= 0) return;
  if (parts == 1 || AvailableBandParts() == 1) {
    for (int p = 0; p < parts; ++p) part(p);
    return;
  }
  TheWorkers().run(parts, part);
}

}  // namespace mapeditor
