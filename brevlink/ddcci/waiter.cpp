#include "brevlink/ddcci/waiter.h"

#include <chrono>
#include <thread>

namespace brevlink::ddcci {

void SleepWaiter::WaitMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint64_t SleepWaiter::NowMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace brevlink::ddcci
