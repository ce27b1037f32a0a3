#include "brevlink/sim/behaviour_pip_window.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>

namespace brevlink::sim {
namespace {

constexpr uint8_t kTopLeftX = 0x95;
constexpr uint8_t kTopLeftY = 0x96;
constexpr uint8_t kBottomRightX = 0x97;
constexpr uint8_t kBottomRightY = 0x98;
constexpr uint8_t kWindowMask = 0xA4;
constexpr uint8_t kWindowSelect = 0xA5;
constexpr uint8_t kSize = 0xEA;
constexpr uint8_t kBrightness = 0xF1;
constexpr uint8_t kContrast = 0xF2;
constexpr uint8_t kHue = 0xF3;
constexpr uint8_t kSaturation = 0xF4;
constexpr uint8_t kTransparency = 0xF5;

constexpr uint8_t kWindowCodes[] = {kTopLeftX, kTopLeftY,   kBottomRightX, kBottomRightY, kWindowMask, kWindowSelect,
                                    kSize,     kBrightness, kContrast,     kHue,          kSaturation, kTransparency};

constexpr uint16_t kMaskShown = 0xFF;
constexpr char kClosed[] = "pip window closed";
// A look is taken at every question; this many lines is far more than one step shows.
constexpr size_t kMaxSeen = 1024;

uint16_t Value(MonitorModel& model, uint8_t code) {
    const VcpFeature* feature = model.Feature(code);
    return feature != nullptr ? feature->current : 0;
}

class PipWindow : public Behaviour {
  public:
    void OnChanged(MonitorModel& model, uint8_t code, ChangeSource /*source*/) override {
        if (std::find(std::begin(kWindowCodes), std::end(kWindowCodes), code) == std::end(kWindowCodes)) {
            return;
        }
        // Only what changes on the screen is seen: placing a hidden window shows nothing.
        const std::string view = View(model);
        if (view == shown_) {
            return;
        }
        shown_ = view;
        if (seen_.size() == kMaxSeen) {
            seen_.pop_front();
        }
        seen_.push_back(view);
    }

    void Look(std::string& seen) override {
        for (const std::string& line : seen_) {
            seen += line;
            seen += '\n';
        }
        seen_.clear();
    }

  private:
    static std::string View(MonitorModel& model) {
        if (Value(model, kWindowSelect) == 0 || Value(model, kWindowMask) != kMaskShown) {
            return kClosed;
        }
        char text[160];
        std::snprintf(text, sizeof(text),
                      "pip window %u,%u-%u,%u size %u transparency %u brightness %u contrast %u hue %u saturation %u",
                      Value(model, kTopLeftX), Value(model, kTopLeftY), Value(model, kBottomRightX),
                      Value(model, kBottomRightY), Value(model, kSize), Value(model, kTransparency),
                      Value(model, kBrightness), Value(model, kContrast), Value(model, kHue),
                      Value(model, kSaturation));
        return text;
    }

    std::string shown_ = kClosed;
    std::deque<std::string> seen_;
};

}  // namespace

std::unique_ptr<Behaviour> MakePipWindow() {
    return std::make_unique<PipWindow>();
}

}  // namespace brevlink::sim
