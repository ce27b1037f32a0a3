// The worker thread on POSIX systems: pthread_create and pthread_join.
#include <pthread.h>

#include <utility>

#include "platform/worker_thread.h"

namespace kestrova::platform {

struct WorkerThread::State {
    std::function<void()> body;
    pthread_t thread{};
    bool started = false;
};

namespace {

void* RunBody(void* state) {
    static_cast<std::function<void()>*>(state)->operator()();
    return nullptr;
}

}  // namespace

WorkerThread::WorkerThread() : state_(std::make_unique<State>()) {}

WorkerThread::~WorkerThread() {
    Join();
}

bool WorkerThread::Start(std::function<void()> body) {
    if (state_->started || !body) {
        return false;
    }
    // The body lives in the state, which outlives the thread: the destructor joins first.
    state_->body = std::move(body);
    if (pthread_create(&state_->thread, nullptr, RunBody, &state_->body) != 0) {
        state_->body = nullptr;
        return false;
    }
    state_->started = true;
    return true;
}

void WorkerThread::Join() {
    if (!state_->started) {
        return;
    }
    // A thread cannot wait for itself; its owner joins it later.
    if (pthread_equal(state_->thread, pthread_self())) {
        return;
    }
    pthread_join(state_->thread, nullptr);
    state_->started = false;
    state_->body = nullptr;
}

bool WorkerThread::Started() const {
    return state_->started;
}

}  // namespace kestrova::platform
