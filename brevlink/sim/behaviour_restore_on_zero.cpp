#include "brevlink/sim/behaviour_restore_on_zero.h"

namespace brevlink::sim {
namespace {

bool IsResetCommand(uint8_t code) {
    return code == 0x04 || code == 0x05 || code == 0x06 || code == 0x08 || code == 0x1E;
}

class RestoreOnZero : public Behaviour {
  public:
    bool OnSet(MonitorModel& model, uint8_t code, uint16_t value) override {
        if (value != 0 || !IsResetCommand(code) || model.Feature(code) == nullptr) {
            return false;
        }
        // Handed on as a 1, so that whichever behaviour carries out the command does it.
        return model.Set(code, 1);
    }
};

}  // namespace

std::unique_ptr<Behaviour> MakeRestoreOnZero() {
    return std::make_unique<RestoreOnZero>();
}

}  // namespace brevlink::sim
