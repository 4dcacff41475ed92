#pragma once

#include <atomic>
#include <system_error>
#include <thread>
#include <utility>

// A second thread that is told to stop and joined when the first thread needs
// its work, or when the scope ends, also on the way out of an error. Its work
// looks at the stop flag between its steps.
class ThreadJoiner {
 public:
  explicit ThreadJoiner(std::atomic<bool>& stop) : stop_(stop) {}
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
  // Tells the thread to stop after the step at hand and waits for it.
  void Stop();
  // Waits for the thread to finish its work.
  void Join();

 private:
  std::atomic<bool>& stop_;
  std::thread thread_;
};
