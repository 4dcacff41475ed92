#pragma once

#include <atomic>
#include <system_error>
#include <thread>
#include <utility>

// A second thread that is told to stop and joined when the first thread needs
// its work, or when the scope ends, also on the way out of an error. Work that
// can end early looks at Stopping() between its steps.
class ThreadJoiner {
 public:
  ThreadJoiner() = default;
  ~ThreadJoiner() { Stop(); }
  ThreadJoiner(const ThreadJoiner&) = delete;
  ThreadJoiner& operator=(const ThreadJoiner&) = delete;

  // Runs work on the second thread; false when no thread can be made, and
  // then the first thread does all the work.
  template <typename Work>
  bool Start(Work work) {
    try {
      thread_ = std::thread(std::move(work));
      return true;
    } catch (const std::system_error&) {
      return false;
    }
  }
  // True once the thread was told to stop.
  const std::atomic<bool>& Stopping() const { return stop_; }
  // Tells the thread to stop after the step at hand and waits for it.
  void Stop();
  // Waits for the thread to finish its work.
  void Join();

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
