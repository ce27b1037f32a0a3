#include "brevlink/sim/lab_command.h"

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <vector>

namespace brevlink::sim {
namespace {

constexpr char kUsage[] =
    "commands: monitors | set P CODE VALUE | get P CODE | writes P | clear-writes P | "
    "fault P silent|checksum|ignore CODE | fault P ignore all | fault P zeros N | fault P garble on|off | "
    "fault P clear | power-cycle P | look P";

bool ParseNumber(const std::string& text, uint32_t limit, uint32_t& out) {
    if (text.empty()) {
        return false;
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    uint64_t value = 0;
    for (size_t i = hex ? 2 : 0; i < text.size(); ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || value > limit) {
            return false;
        }
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    }
    if (value > limit) {
        return false;
    }
    out = static_cast<uint32_t>(value);
    return true;
}

std::string Hex2(uint32_t code) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", code & 0xFFu);
    return text;
}

class Command {
  public:
    Command(Lab& lab, std::string_view line, std::string& reply) : lab_(lab), reply_(reply) {
        std::istringstream in{std::string(line)};
        for (std::string word; in >> word;) {
            words_.push_back(word);
        }
    }

    bool Run() {
        if (words_.empty()) {
            return Fail(kUsage);
        }
        const std::string& verb = words_[0];
        if (verb == "monitors") {
            return Monitors();
        }
        if (words_.size() < 2) {
            return Fail(kUsage);
        }
        uint32_t position = 0;
        if (!ParseNumber(words_[1], kMaxPosition, position) || (monitor_ = lab_.AtPosition(int(position))) == nullptr) {
            return Fail("no monitor at position " + words_[1]);
        }
        if (verb == "set" && words_.size() == 4) {
            return Set();
        }
        if (verb == "get" && words_.size() == 3) {
            return Get();
        }
        if (verb == "writes" && words_.size() == 2) {
            return Writes();
        }
        if (verb == "clear-writes" && words_.size() == 2) {
            monitor_->Model().ClearWrites();
            return Ok("ok");
        }
        if (verb == "fault" && words_.size() >= 3) {
            return Fault();
        }
        if (verb == "power-cycle" && words_.size() == 2) {
            return PowerCycle();
        }
        if (verb == "look" && words_.size() == 2) {
            return Ok(monitor_->Model().Look());
        }
        return Fail(kUsage);
    }

  private:
    bool Ok(const std::string& text) {
        reply_ = text;
        return true;
    }

    bool Fail(const std::string& text) {
        reply_ = text;
        return false;
    }

    bool Code(const std::string& word, uint8_t& code) {
        uint32_t value = 0;
        if (!ParseNumber(word, 0xFF, value)) {
            return false;
        }
        code = static_cast<uint8_t>(value);
        return true;
    }

    bool Monitors() {
        std::string text;
        for (const auto& monitor : lab_.Monitors()) {
            if (!text.empty()) {
                text += ' ';
            }
            text += std::to_string(monitor->Profile().position);
        }
        return Ok(text);
    }

    bool Set() {
        uint8_t code = 0;
        uint32_t value = 0;
        if (!Code(words_[2], code) || !ParseNumber(words_[3], 0xFFFF, value)) {
            return Fail("usage: set P CODE VALUE");
        }
        if (!monitor_->Model().Press(code, static_cast<uint16_t>(value))) {
            return Fail(Hex2(code) + " is not a control of this monitor");
        }
        return Ok("ok");
    }

    bool Get() {
        uint8_t code = 0;
        if (!Code(words_[2], code)) {
            return Fail("usage: get P CODE");
        }
        const VcpFeature* feature = monitor_->Model().Feature(code);
        if (feature == nullptr) {
            return Fail(Hex2(code) + " is not a control of this monitor");
        }
        return Ok(std::to_string(feature->current));
    }

    bool Writes() {
        std::string text;
        for (const WriteRecord& write : monitor_->Model().Writes()) {
            text += Hex2(write.code);
            text += ' ';
            text += std::to_string(write.value);
            text += write.applied ? "\n" : " ignored\n";
        }
        return Ok(text);
    }

    // The engineer unplugs the monitor and plugs it back in: it goes through switched off (0xD6 = 5)
    // and comes back in the power mode it had, as its panel switch would take it.
    bool PowerCycle() {
        constexpr uint8_t kPowerMode = 0xD6;
        constexpr uint16_t kSwitchedOff = 5;
        MonitorModel& model = monitor_->Model();
        const VcpFeature* power = model.Feature(kPowerMode);
        if (power == nullptr) {
            return Fail(Hex2(kPowerMode) + " is not a control of this monitor");
        }
        const uint16_t before = power->current;
        model.Press(kPowerMode, kSwitchedOff);
        model.Press(kPowerMode, before);
        return Ok("ok");
    }

    bool Fault() {
        Faults& faults = monitor_->Port().MutableFaults();
        const std::string& kind = words_[2];
        if (kind == "clear" && words_.size() == 3) {
            faults = Faults{};
            return Ok("ok");
        }
        if (words_.size() != 4) {
            return Fail(kUsage);
        }
        const std::string& argument = words_[3];
        if (kind == "garble" && (argument == "on" || argument == "off")) {
            faults.garbledCapabilities = argument == "on";
            return Ok("ok");
        }
        if (kind == "ignore" && argument == "all") {
            faults.ignoreAllWrites = true;
            return Ok("ok");
        }
        uint32_t number = 0;
        if (kind == "zeros" && ParseNumber(argument, 1000, number)) {
            faults.zeroRepliesAfterRestore = static_cast<int>(number);
            return Ok("ok");
        }
        uint8_t code = 0;
        if (!Code(argument, code)) {
            return Fail(kUsage);
        }
        if (kind == "silent") {
            faults.silentCodes.push_back(code);
        } else if (kind == "checksum") {
            faults.badChecksumCodes.push_back(code);
        } else if (kind == "ignore") {
            faults.ignoredWriteCodes.push_back(code);
        } else {
            return Fail(kUsage);
        }
        return Ok("ok");
    }

    Lab& lab_;
    std::string& reply_;
    std::vector<std::string> words_;
    SimMonitor* monitor_ = nullptr;
};

}  // namespace

bool RunLabCommand(Lab& lab, std::string_view command, std::string& reply) {
    return Command(lab, command, reply).Run();
}

}  // namespace brevlink::sim
