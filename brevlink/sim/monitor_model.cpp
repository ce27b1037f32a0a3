#include "brevlink/sim/monitor_model.h"

#include "brevlink/sim/behaviours.h"

namespace brevlink::sim {

MonitorModel::MonitorModel(const MonitorProfile& profile) : features_(profile.features) {
    const std::vector<std::string> names = profile.behaviours ? *profile.behaviours : StandardBehaviours();
    for (const std::string& name : names) {
        if (std::unique_ptr<Behaviour> behaviour = MakeBehaviour(name)) {
            behaviours_.push_back(std::move(behaviour));
        }
    }
}

MonitorModel::~MonitorModel() = default;

VcpFeature* MonitorModel::Feature(uint8_t code) {
    return features_[code] ? &*features_[code] : nullptr;
}

FeatureAnswer MonitorModel::Get(uint8_t code) {
    FeatureAnswer answer;
    const VcpFeature* feature = Feature(code);
    if (feature == nullptr || feature->unsupported) {
        return answer;
    }
    answer.supported = true;
    answer.momentary = feature->momentary;
    answer.maximum = feature->maximum;
    // A write-only control never gives its value away (theft PIN words, for one).
    answer.current = feature->access == VcpAccess::kWriteOnly ? 0 : feature->current;
    for (auto& behaviour : behaviours_) {
        behaviour->OnGet(*this, code, answer);
    }
    return answer;
}

bool MonitorModel::Set(uint8_t code, uint16_t value) {
    for (auto& behaviour : behaviours_) {
        if (behaviour->OnSet(*this, code, value)) {
            return true;
        }
    }
    VcpFeature* feature = Feature(code);
    if (feature == nullptr || feature->unsupported || feature->access == VcpAccess::kReadOnly ||
        !feature->Accepts(value)) {
        return false;
    }
    const bool changed = feature->current != value;
    feature->current = value;
    if (changed) {
        NotifyChanged(code, ChangeSource::kHost);
    }
    return true;
}

bool MonitorModel::Press(uint8_t code, uint16_t value) {
    VcpFeature* feature = Feature(code);
    if (feature == nullptr) {
        return false;
    }
    const bool changed = feature->current != value;
    feature->current = value;
    if (changed) {
        NotifyChanged(code, ChangeSource::kPanel);
    }
    return true;
}

std::string MonitorModel::Look() {
    std::string seen;
    for (auto& behaviour : behaviours_) {
        behaviour->Look(seen);
    }
    return seen;
}

void MonitorModel::RecordWrite(uint8_t code, uint16_t value, bool applied) {
    // Bounded so a long soak run cannot eat the process; the lab reads the recent ones.
    constexpr size_t kMaxWrites = 4096;
    if (writes_.size() == kMaxWrites) {
        writes_.pop_front();
    }
    writes_.push_back({code, value, applied});
}

void MonitorModel::NotifyChanged(uint8_t code, ChangeSource source) {
    for (auto& behaviour : behaviours_) {
        behaviour->OnChanged(*this, code, source);
    }
}

}  // namespace brevlink::sim
