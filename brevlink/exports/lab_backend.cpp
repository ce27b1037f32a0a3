#include "brevlink/exports/backend.h"

namespace brevlink {
namespace {

class LabBackend : public Backend {
  public:
    explicit LabBackend(const sim::LabProfile& profile) : lab_(profile) {}

    std::vector<MonitorLink> Monitors() override {
        std::vector<MonitorLink> links;
        for (const auto& monitor : lab_.Monitors()) {
            links.push_back({monitor->Profile().position, &monitor->Bus(), monitor->Profile().facts});
        }
        return links;
    }

    sim::Lab* LabOrNull() override { return &lab_; }

  private:
    sim::Lab lab_;
};

}  // namespace

std::unique_ptr<Backend> MakeLabBackend(const sim::LabProfile& profile) {
    return std::make_unique<LabBackend>(profile);
}

}  // namespace brevlink
