#include "helperlib/ThreadJoiner.h"

void ThreadJoiner::Stop() {
  stop_ = true;
  Join();
}

void ThreadJoiner::Join() {
  if (thread_.joinable()) thread_.join();
}
