#include "brevlink/sim/behaviour_auto_setup.h"

#include <initializer_list>

namespace brevlink::sim {
namespace {

constexpr uint8_t kAutoSetupCode = 0x1E;
constexpr uint8_t kAutoColourSetupCode = 0x1F;

class AutoSetup : public Behaviour {
  public:
    bool OnSet(MonitorModel& model, uint8_t code, uint16_t value) override {
        // A monitor without the command does nothing on it.
        if (value == 0 || model.Feature(code) == nullptr) {
            return false;
        }
        if (code == kAutoSetupCode) {
            Fit(model, {0x0E, 0x3E, 0x20, 0x30});
            return true;
        }
        if (code == kAutoColourSetupCode) {
            Fit(model, {0x16, 0x18, 0x1A});
            return true;
        }
        return false;
    }

  private:
    static void Fit(MonitorModel& model, std::initializer_list<uint8_t> codes) {
        for (uint8_t code : codes) {
            if (VcpFeature* feature = model.Feature(code)) {
                feature->current = feature->defaultValue;
            }
        }
    }
};

}  // namespace

std::unique_ptr<Behaviour> MakeAutoSetup() {
    return std::make_unique<AutoSetup>();
}

}  // namespace brevlink::sim
