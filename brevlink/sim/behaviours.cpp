#include "brevlink/sim/behaviours.h"

#include <algorithm>
#include <deque>
#include <initializer_list>

#include "brevlink/sim/behaviour_auto_setup.h"
#include "brevlink/sim/behaviour_colour_presets.h"
#include "brevlink/sim/behaviour_pip_window.h"
#include "brevlink/sim/behaviour_restore_on_zero.h"
#include "brevlink/sim/behaviour_theft_mode.h"

namespace brevlink::sim {
namespace {

constexpr uint8_t kNewControlValue = 0x02;
constexpr uint8_t kActiveControl = 0x52;
constexpr uint16_t kNoNewValues = 1;
constexpr uint16_t kNewValuesPending = 2;

void RestoreCodes(MonitorModel& model, std::initializer_list<uint8_t> codes) {
    for (uint8_t code : codes) {
        if (VcpFeature* feature = model.Feature(code)) {
            feature->current = feature->defaultValue;
        }
    }
}

// 0x04 all, 0x05 luminance and contrast, 0x06 geometry, 0x08 colour. Any nonzero value
// starts the restore; the momentary control itself keeps no value.
class RestoreDefaults : public Behaviour {
  public:
    bool OnSet(MonitorModel& model, uint8_t code, uint16_t value) override {
        if (value == 0 || (code != 0x04 && code != 0x05 && code != 0x06 && code != 0x08)) {
            return false;
        }
        switch (code) {
            case 0x04:
                for (int c = 0; c < 256; ++c) {
                    VcpFeature* feature = model.Feature(static_cast<uint8_t>(c));
                    if (feature != nullptr && feature->access != VcpAccess::kReadOnly && !feature->momentary) {
                        feature->current = feature->defaultValue;
                    }
                }
                break;
            case 0x05:
                RestoreCodes(model, {0x10, 0x12});
                break;
            case 0x06:
                RestoreCodes(model, {0x0E, 0x20, 0x22, 0x30, 0x32, 0x3E, 0x40, 0x42, 0x43, 0x44, 0x46, 0x48, 0x4A, 0x4C,
                                     0x56, 0x58, 0x5A, 0x5C});
                break;
            default:
                RestoreCodes(model, {0x0C, 0x14, 0x16, 0x18, 0x1A, 0x6C, 0x6E, 0x70, 0x8A, 0x90});
                break;
        }
        model.NoteRestore();
        return true;
    }
};

// MCCS new control value: a control changed on the panel raises 0x02 to 2 and queues its
// code; each read of 0x52 hands out the oldest queued code (0 when none); the host writes
// 0x02 = 1 when it has read them all.
class NewControlValue : public Behaviour {
  public:
    bool OnSet(MonitorModel& model, uint8_t code, uint16_t value) override {
        if (code != kNewControlValue || value != kNoNewValues) {
            return false;
        }
        pending_.clear();
        if (VcpFeature* feature = model.Feature(kNewControlValue)) {
            feature->current = kNoNewValues;
        }
        return true;
    }

    void OnGet(MonitorModel& /*model*/, uint8_t code, FeatureAnswer& answer) override {
        if (code != kActiveControl) {
            return;
        }
        answer.current = pending_.empty() ? 0 : pending_.front();
        if (!pending_.empty()) {
            pending_.pop_front();
        }
    }

    void OnChanged(MonitorModel& model, uint8_t code, ChangeSource source) override {
        if (source != ChangeSource::kPanel || code == kNewControlValue || code == kActiveControl) {
            return;
        }
        if (std::find(pending_.begin(), pending_.end(), code) == pending_.end()) {
            pending_.push_back(code);
        }
        if (VcpFeature* feature = model.Feature(kNewControlValue)) {
            feature->current = kNewValuesPending;
        }
    }

  private:
    std::deque<uint8_t> pending_;
};

struct NamedBehaviour {
    const char* name;
    std::unique_ptr<Behaviour> (*make)();
    bool standard = true;  // a faulty variant is only had by naming it in a profile
};

template <typename T>
std::unique_ptr<Behaviour> Make() {
    return std::make_unique<T>();
}

constexpr NamedBehaviour kBehaviours[] = {
    {"restore-defaults", &Make<RestoreDefaults>},
    {"new-control-value", &Make<NewControlValue>},
    {"pip-window", &MakePipWindow},
    {"colour-presets", &MakeColourPresets},
    {"auto-setup", &MakeAutoSetup},
    {"restore-on-zero", &MakeRestoreOnZero, false},
    {"theft-mode", [] { return MakeTheftMode(TheftPinFault::kNone); }},
    {"theft-mode-any-pin", [] { return MakeTheftMode(TheftPinFault::kAnyPin); }, false},
    {"theft-mode-swapped-pin", [] { return MakeTheftMode(TheftPinFault::kSwappedWords); }, false},
};

}  // namespace

std::unique_ptr<Behaviour> MakeBehaviour(std::string_view name) {
    for (const NamedBehaviour& entry : kBehaviours) {
        if (name == entry.name) {
            return entry.make();
        }
    }
    return nullptr;
}

std::vector<std::string> BehaviourNames() {
    std::vector<std::string> names;
    for (const NamedBehaviour& entry : kBehaviours) {
        names.emplace_back(entry.name);
    }
    return names;
}

std::vector<std::string> StandardBehaviours() {
    std::vector<std::string> names;
    for (const NamedBehaviour& entry : kBehaviours) {
        if (entry.standard) {
            names.emplace_back(entry.name);
        }
    }
    return names;
}

}  // namespace brevlink::sim
