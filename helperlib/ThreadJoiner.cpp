#include "helperlib/ThreadJoiner.h"

void ThreadJoiner::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}
