// The state of one simulated monitor behind its DDC/CI port: the VCP features, the behaviours
// that tie them together (restore commands, the new-control-value stack, ...) and the writes
// the monitor has seen. Knows nothing of bytes on the wire.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/sim/profile.h"
#include "brevlink/sim/vcp_feature.h"

namespace brevlink::sim {

class Behaviour;

struct FeatureAnswer {
    bool supported = false;
    bool momentary = false;
    uint16_t maximum = 0;
    uint16_t current = 0;
};

struct WriteRecord {
    uint8_t code = 0;
    uint16_t value = 0;
    bool applied = false;
};

enum class ChangeSource : uint8_t {
    kHost,   // a Set VCP over DDC/CI
    kPanel,  // the engineer, on the monitor's own buttons
};

class MonitorModel {
  public:
    // Unknown behaviour names are skipped; the profile loader has reported them already.
    explicit MonitorModel(const MonitorProfile& profile);
    ~MonitorModel();
    MonitorModel(const MonitorModel&) = delete;
    MonitorModel& operator=(const MonitorModel&) = delete;

    // What a Get VCP of `code` answers.
    FeatureAnswer Get(uint8_t code);
    // A Set VCP from the host; false when the monitor did not take the value.
    bool Set(uint8_t code, uint16_t value);
    // The engineer changes a control on the monitor itself (read-only ones too).
    bool Press(uint8_t code, uint16_t value);

    void RecordWrite(uint8_t code, uint16_t value, bool applied);
    const std::deque<WriteRecord>& Writes() const { return writes_; }
    void ClearWrites() { writes_.clear(); }

    // What the engineer saw on the screen since the last look (behaviours that draw say), a line
    // each; empty when nothing was shown.
    std::string Look();

    // For behaviours and the lab's controls.
    VcpFeature* Feature(uint8_t code);
    void NoteRestore() { ++restores_; }
    uint32_t Restores() const { return restores_; }

  private:
    void NotifyChanged(uint8_t code, ChangeSource source);

    std::array<std::optional<VcpFeature>, 256> features_;
    std::vector<std::unique_ptr<Behaviour>> behaviours_;
    std::deque<WriteRecord> writes_;  // the oldest leaves at the front, in constant time
    uint32_t restores_ = 0;
};

}  // namespace brevlink::sim
