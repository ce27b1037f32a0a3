#include "brevlink/sim/lab.h"

namespace brevlink::sim {

Lab::Lab(const LabProfile& profile) : profile_(profile) {
    for (const MonitorProfile& monitor : profile_.monitors) {
        monitors_.push_back(std::make_unique<SimMonitor>(monitor));
    }
}

SimMonitor* Lab::AtPosition(int position) {
    for (auto& monitor : monitors_) {
        if (monitor->Profile().position == position) {
            return monitor.get();
        }
    }
    return nullptr;
}

uint32_t Lab::AttachMask() const {
    uint32_t mask = 0;
    for (const auto& monitor : monitors_) {
        const int position = monitor->Profile().position;
        if (position >= kMinPosition && position <= kMaxPosition) {
            mask |= 1u << position;
        }
    }
    return mask;
}

}  // namespace brevlink::sim
