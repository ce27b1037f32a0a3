// Testing one code of one group: runs the code's procedure once per run, stores its outcome in the
// catalogue, writes the code's row and collects real failures into the report's summary.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/vcp_catalogue.h"

namespace kestrova::engine {

// "RW , C", "RO , NC" ...; empty for a reserved code whose type and access are unknown.
std::string VcpTypeText(const catalogue::VcpEntry& entry);

// The code's block in the summary, before its comments: "<BR>VCP Code: 0x10  Brightness...<BR>Type: ...<BR>".
std::string VcpFailureText(const catalogue::VcpEntry& entry);

// Tests a ticked code (an unticked one is left alone: no test, no row, no log line). Test thread.
void TestVcpCode(bool selected, uint8_t code);

}  // namespace kestrova::engine
