#include "common/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace common {

namespace parallel {

namespace {

constexpr unsigned kMaxThreads = 8;

std::atomic<unsigned> pinnedCount{0};

}  // namespace

unsigned threadCount() {
  if (const unsigned pinned = pinnedCount.load()) return pinned;
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
}

void setThreadCount(unsigned count) {
  pinnedCount.store(std::min(count, kMaxThreads));
}

void forEachChunk(int count, int chunk, const std::function<void(int, int)>& body) {
  if (count <= 0) return;
  chunk = std::max(1, chunk);
  const int chunks = (count - 1) / chunk + 1;
  std::atomic<int> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr error;
  std::mutex errorLock;
  auto work = [&] {
    for (int i = next++; i < chunks && !failed; i = next++) {
      try {
        body(i * chunk, std::min(count, (i + 1) * chunk));
      } catch (...) {
        const std::lock_guard<std::mutex> lock(errorLock);
        if (!error) error = std::current_exception();
        failed = true;
      }
    }
  };
  const auto helpers = std::min(static_cast<int>(threadCount()), chunks) - 1;
  {
    std::vector<std::jthread> threads;
    threads.reserve(static_cast<std::size_t>(std::max(0, helpers)));
    for (int t = 0; t < helpers; ++t) threads.emplace_back(work);
    work();
  }  // the helpers are joined here
  if (error) std::rethrow_exception(error);
}

}  // namespace parallel

}  // namespace common
