// A thread for the music's decoding, started without exceptions: std::thread tells of a thread it
// cannot start by throwing, and the browser build has no exceptions to catch (nor, without its
// thread support, any thread to start). The caller decodes on its own thread instead.
#pragma once

#include <pthread.h>

#include <functional>
#include <memory>

#include "base/result.h"

namespace ventora {

class WorkerThread {
 public:
  // Runs `work` on a new thread; the system's reason when there is none to be had.
  static Result<WorkerThread> start(std::function<void()> work);
  WorkerThread(WorkerThread&& other) noexcept;
  WorkerThread& operator=(WorkerThread&&) = delete;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  // Waits for the work to end.
  ~WorkerThread();

 private:
  WorkerThread(pthread_t thread, std::unique_ptr<std::function<void()>> work)
      : thread_(thread), work_(std::move(work)) {}
  pthread_t thread_{};
  std::unique_ptr<std::function<void()>> work_;  // nothing: moved from, no thread to wait for
};

}  // namespace ventora
