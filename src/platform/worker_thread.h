// Starting a worker thread (the test run's thread). CreateThread on Windows, pthreads elsewhere.
#pragma once

#include <functional>
#include <memory>

namespace kestrova::platform {

class WorkerThread {
  public:
    WorkerThread();
    ~WorkerThread();  // joins a thread still running
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts `body` on a new thread. False when a thread is already started and not joined, or when
    // the system refuses to create one.
    bool Start(std::function<void()> body);
    // Waits for the thread to end; does nothing when none was started.
    void Join();
    bool Started() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace kestrova::platform
