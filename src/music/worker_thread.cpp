#include "music/worker_thread.h"

#include <cstring>
#include <string>
#include <utility>

namespace ventora {

namespace {

void* run_work(void* work) {
  (*static_cast<std::function<void()>*>(work))();
  return nullptr;
}

}  // namespace

Result<WorkerThread> WorkerThread::start(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  pthread_t thread{};
  if (const int failed = pthread_create(&thread, nullptr, run_work, owned.get()); failed != 0) {
    return Error{std::string("no thread to decode on: ") + std::strerror(failed)};
  }
  return WorkerThread(thread, std::move(owned));
}

WorkerThread::WorkerThread(WorkerThread&& other) noexcept
    : thread_(other.thread_), work_(std::move(other.work_)) {}

WorkerThread::~WorkerThread() {
  if (work_) pthread_join(thread_, nullptr);
}

}  // namespace ventora
