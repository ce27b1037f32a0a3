// The worker thread on Windows: CreateThread and a wait on its handle.
#include <windows.h>

#include <utility>

#include "platform/worker_thread.h"

namespace kestrova::platform {

struct WorkerThread::State {
    std::function<void()> body;
    HANDLE thread = nullptr;
    DWORD threadId = 0;
};

namespace {

DWORD WINAPI RunBody(void* state) {
    static_cast<std::function<void()>*>(state)->operator()();
    return 0;
}

}  // namespace

WorkerThread::WorkerThread() : state_(std::make_unique<State>()) {}

WorkerThread::~WorkerThread() {
    Join();
}

bool WorkerThread::Start(std::function<void()> body) {
    if (state_->thread != nullptr || !body) {
        return false;
    }
    // The body lives in the state, which outlives the thread: the destructor joins first.
    state_->body = std::move(body);
    state_->thread = ::CreateThread(nullptr, 0, RunBody, &state_->body, 0, &state_->threadId);
    if (state_->thread == nullptr) {
        state_->body = nullptr;
        return false;
    }
    return true;
}

void WorkerThread::Join() {
    if (state_->thread == nullptr) {
        return;
    }
    // A thread cannot wait for itself; its owner joins it later.
    if (state_->threadId == ::GetCurrentThreadId()) {
        return;
    }
    ::WaitForSingleObject(state_->thread, INFINITE);
    ::CloseHandle(state_->thread);
    state_->thread = nullptr;
    state_->body = nullptr;
}

bool WorkerThread::Started() const {
    return state_->thread != nullptr;
}

}  // namespace kestrova::platform
