#include "brevlink/exports/bus_lock.h"

namespace brevlink {

bool BusLock::TryLock() {
    std::lock_guard<std::mutex> guard(mutex_);
    const std::thread::id me = std::this_thread::get_id();
    if (depth_ > 0 && owner_ != me) {
        return false;
    }
    owner_ = me;
    ++depth_;
    return true;
}

bool BusLock::Unlock() {
    std::lock_guard<std::mutex> guard(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id()) {
        return false;
    }
    if (--depth_ == 0) {
        owner_ = std::thread::id();
    }
    return true;
}

bool BusLock::HeldByMe() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return depth_ > 0 && owner_ == std::this_thread::get_id();
}

}  // namespace brevlink
