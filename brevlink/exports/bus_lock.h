// WrSynLock / WrSynUnlock: the caller's hold on the bus. A try-lock that never blocks (the
// tester polls it every 10 ms) and that the holding thread may take again.
#pragma once

#include <mutex>
#include <thread>

namespace brevlink {

class BusLock {
  public:
    // True when the calling thread now holds the bus (again, if it held it already).
    bool TryLock();
    // True when the calling thread held the bus; the last unlock frees it.
    bool Unlock();
    bool HeldByMe() const;

  private:
    mutable std::mutex mutex_;
    std::thread::id owner_;
    unsigned depth_ = 0;
};

}  // namespace brevlink
