#include "brevlink/sim/vcp_feature.h"

#include <algorithm>

namespace brevlink::sim {

bool VcpFeature::Accepts(uint16_t value) const {
    if (!values.empty()) {
        return std::find(values.begin(), values.end(), value) != values.end();
    }
    return value <= maximum;
}

}  // namespace brevlink::sim
