// Real monitors' DDC/CI misbehaviour, as data a profile gives ("quirks"): which requests are lost,
// how replies are corrupted, how unsupported codes and ranges lie, what wedges the firmware. Every
// random choice comes from the profile's seed, so a run repeats byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace brevlink::sim {

enum class Corruption : uint8_t {
    kNone,
    kDoubledSource,  // 6E 6E 88 ...: the source byte twice
    kDoubledLength,  // 6E 88 88 02 ...: the length byte twice
    kFill,           // the read returns only the fill byte
};

enum class UnsupportedAnswer : uint8_t {
    kResultCode,  // the standard's: result code 01
    kZeros,       // result 00 with every value byte 0
    kConstant,    // result 00 with maximum 100 and current 100
    kNoAnswer,    // the read is not acknowledged
    kNull,        // the null message
};

struct Quirks {
    int nackRequestsEvery = 0;  // every Nth DDC/CI request is not acknowledged (docks, MST, adapters)
    int dropWritesEvery = 0;    // every Nth Set VCP is acknowledged and lost (writes too fast)
    Corruption corruption = Corruption::kNone;
    uint32_t corruptionPerMille = 0;  // share of replies corrupted; never two in a row
    uint8_t fillByte = 0x51;
    uint32_t seed = 1;
    int capabilitiesRepeat = 0;  // the string is sent this many times over, end to end
    bool capabilitiesEmpty = false;
    bool capabilitiesSilent = false;      // capabilities requests are never answered
    std::vector<uint8_t> revertingCodes;  // a write reads back once, then the old value is back
    bool deafWhenInputChanges = false;    // after a write that moves 0x60, DDC/CI no longer answers
    bool deafInStandby = false;           // with 0xD6 not 1 only a write of 0xD6 is heard
    int wakeLatencyRequests = 0;          // reads lost right after 0xD6 = 1 woke the monitor
    UnsupportedAnswer unsupported = UnsupportedAnswer::kResultCode;
    int nullsBeforeReply = 0;                                // a new request is answered only when it is asked again
    std::vector<uint8_t> maximumZeroCodes;                   // replies say maximum 0
    std::vector<uint8_t> aboveMaximumCodes;                  // replies say current = maximum + 50
    std::vector<std::pair<uint8_t, uint16_t>> stuckValues;   // reads always answer this value
    std::optional<uint8_t> wedgeOnWriteOf;                   // after a Set VCP of this code nothing answers any more
    bool staleReplies = false;                               // each Get VCP reply answers the request before it
    bool edidBlocksSwapped = false;                          // the EEPROM hands out its two blocks the other way round
    std::optional<std::pair<uint8_t, uint16_t>> enableGate;  // DDC/CI is mute until this write
};

}  // namespace brevlink::sim
