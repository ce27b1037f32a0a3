#include "brevlink/sim/behaviour_theft_mode.h"

#include <optional>

namespace brevlink::sim {
namespace {

constexpr uint8_t kPowerMode = 0xD6;
constexpr uint8_t kTheftMode = 0xFA;
constexpr uint8_t kPinLow = 0xFC;
constexpr uint8_t kPinHigh = 0xFD;
constexpr uint8_t kTheftState = 0xFE;
constexpr uint16_t kDisabled = 0;
constexpr uint16_t kEnabled = 1;
constexpr uint16_t kTriggered = 1;
constexpr uint16_t kPowerOff = 4;
constexpr uint16_t kHardOff = 5;

struct Pin {
    uint16_t low = 0;
    uint16_t high = 0;
    bool operator==(const Pin&) const = default;
};

class TheftMode : public Behaviour {
  public:
    explicit TheftMode(TheftPinFault fault) : fault_(fault) {}

    bool OnSet(MonitorModel& model, uint8_t code, uint16_t value) override {
        if (model.Feature(kTheftMode) == nullptr) {
            return false;
        }
        // The PIN words are remembered here; the plain store still takes them (and never shows them).
        if (code == kPinLow) {
            enteredLow_ = value;
            return false;
        }
        if (code == kPinHigh) {
            enteredHigh_ = value;
            return false;
        }
        if (code != kTheftMode || (value != kEnabled && value != kDisabled)) {
            return false;
        }
        // A refused change is acknowledged and has no effect, as on a real panel.
        if (value == kEnabled) {
            Enable(model);
        } else {
            Disable(model);
        }
        enteredLow_.reset();
        enteredHigh_.reset();
        return true;
    }

    void OnChanged(MonitorModel& model, uint8_t code, ChangeSource source) override {
        if (code != kPowerMode || source != ChangeSource::kPanel || !Enabled(model)) {
            return;
        }
        const VcpFeature* power = model.Feature(kPowerMode);
        if (power != nullptr && (power->current == kPowerOff || power->current == kHardOff)) {
            SetCurrent(model, kTheftState, kTriggered);
        }
    }

  private:
    static void SetCurrent(MonitorModel& model, uint8_t code, uint16_t value) {
        if (VcpFeature* feature = model.Feature(code)) {
            feature->current = value;
        }
    }

    static bool Enabled(MonitorModel& model) {
        const VcpFeature* mode = model.Feature(kTheftMode);
        return mode != nullptr && mode->current == kEnabled;
    }

    void Enable(MonitorModel& model) {
        if (Enabled(model) || !enteredLow_ || !enteredHigh_) {
            return;
        }
        pin_ = fault_ == TheftPinFault::kSwappedWords ? Pin{*enteredHigh_, *enteredLow_}
                                                      : Pin{*enteredLow_, *enteredHigh_};
        SetCurrent(model, kTheftMode, kEnabled);
    }

    void Disable(MonitorModel& model) {
        if (!Enabled(model)) {
            return;
        }
        const bool pinGiven = enteredLow_ && enteredHigh_ && Pin{*enteredLow_, *enteredHigh_} == pin_;
        if (!pinGiven && fault_ != TheftPinFault::kAnyPin) {
            return;
        }
        SetCurrent(model, kTheftMode, kDisabled);
        SetCurrent(model, kTheftState, kDisabled);
    }

    TheftPinFault fault_;
    Pin pin_;
    std::optional<uint16_t> enteredLow_;
    std::optional<uint16_t> enteredHigh_;
};

}  // namespace

std::unique_ptr<Behaviour> MakeTheftMode(TheftPinFault fault) {
    return std::make_unique<TheftMode>(fault);
}

}  // namespace brevlink::sim
