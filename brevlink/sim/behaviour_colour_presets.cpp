#include "brevlink/sim/behaviour_colour_presets.h"

#include <algorithm>
#include <array>
#include <map>

namespace brevlink::sim {
namespace {

constexpr uint8_t kPresetCode = 0x14;
constexpr std::array<uint8_t, 3> kGainCodes = {0x16, 0x18, 0x1A};
constexpr uint16_t kFirstUserPreset = 0x0B;
constexpr uint16_t kLastUserPreset = 0x0D;

using Gains = std::array<uint16_t, kGainCodes.size()>;

bool IsUserPreset(uint16_t preset) {
    return preset >= kFirstUserPreset && preset <= kLastUserPreset;
}

class ColourPresets : public Behaviour {
  public:
    bool OnSet(MonitorModel& model, uint8_t /*code*/, uint16_t /*value*/) override {
        Follow(model);
        return false;
    }

    void OnGet(MonitorModel& model, uint8_t code, FeatureAnswer& answer) override {
        Follow(model);
        // The answer was taken before this behaviour first saw the monitor.
        if (active_ && std::find(kGainCodes.begin(), kGainCodes.end(), code) != kGainCodes.end()) {
            answer.current = model.Feature(code)->current;
        }
    }

    void OnChanged(MonitorModel& model, uint8_t code, ChangeSource /*source*/) override {
        if (code != kPresetCode) {
            Follow(model);
            return;
        }
        if (!Start(model)) {
            return;
        }
        const uint16_t selected = model.Feature(kPresetCode)->current;
        if (IsUserPreset(preset_)) {
            userGains_[preset_] = Shown(model);
        }
        preset_ = selected;
        Show(model, GainsOf(model, selected));
    }

  private:
    // The first call sees the monitor as its profile left it: the gains then belong to the user
    // presets, and a factory preset shows its own.
    bool Start(MonitorModel& model) {
        if (started_) {
            return active_;
        }
        started_ = true;
        const VcpFeature* preset = model.Feature(kPresetCode);
        active_ = preset != nullptr;
        for (uint8_t code : kGainCodes) {
            active_ = active_ && model.Feature(code) != nullptr;
        }
        if (!active_) {
            return false;
        }
        preset_ = preset->current;
        restores_ = model.Restores();
        const Gains profileGains = Shown(model);
        for (uint16_t user = kFirstUserPreset; user <= kLastUserPreset; ++user) {
            userGains_[user] = profileGains;
        }
        if (!IsUserPreset(preset_)) {
            Show(model, Defaults(model));
        }
        return true;
    }

    // Keeps up with what other behaviours did behind this one's back: a restore that left the preset
    // and the gains at their defaults restored the colour settings, user presets included.
    void Follow(MonitorModel& model) {
        if (!Start(model) || model.Restores() == restores_) {
            return;
        }
        restores_ = model.Restores();
        const uint16_t preset = model.Feature(kPresetCode)->current;
        if (preset == model.Feature(kPresetCode)->defaultValue && Shown(model) == Defaults(model)) {
            userGains_.clear();
        }
        preset_ = preset;
    }

    Gains GainsOf(MonitorModel& model, uint16_t preset) {
        if (!IsUserPreset(preset)) {
            return Defaults(model);
        }
        const auto kept = userGains_.find(preset);
        return kept != userGains_.end() ? kept->second : Defaults(model);
    }

    static Gains Shown(MonitorModel& model) {
        Gains gains{};
        for (size_t i = 0; i < kGainCodes.size(); ++i) {
            gains[i] = model.Feature(kGainCodes[i])->current;
        }
        return gains;
    }

    static Gains Defaults(MonitorModel& model) {
        Gains gains{};
        for (size_t i = 0; i < kGainCodes.size(); ++i) {
            gains[i] = model.Feature(kGainCodes[i])->defaultValue;
        }
        return gains;
    }

    static void Show(MonitorModel& model, const Gains& gains) {
        for (size_t i = 0; i < kGainCodes.size(); ++i) {
            model.Feature(kGainCodes[i])->current = gains[i];
        }
    }

    bool started_ = false;
    bool active_ = false;
    uint16_t preset_ = 0;
    uint32_t restores_ = 0;
    std::map<uint16_t, Gains> userGains_;  // a user preset without an entry has the defaults
};

}  // namespace

std::unique_ptr<Behaviour> MakeColourPresets() {
    return std::make_unique<ColourPresets>();
}

}  // namespace brevlink::sim
