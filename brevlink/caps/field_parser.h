// The values of single fields: flat texts, nested texts, binary payloads and the ends of hex lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "brevlink/caps/capabilities.h"
#include "brevlink/caps/vcp_list.h"

namespace brevlink::caps {

struct FieldEnd {
    std::string_view value;  // points into the text
    size_t next = 0;         // where the top level goes on
};

// Every operation takes the position of the field's "(".
class FieldParser {
  public:
    FieldParser(std::string_view text, uint32_t& quirks) : text_(text), quirks_(quirks) {}

    // prot, type, model, ...: a "(" inside means the field's ")" is missing when a keyword stands
    // before it ("model( DELAB50 edid bin(...") but is part of the value otherwise ("LEO(LE Series)").
    FieldEnd FlatText(size_t open);
    FieldEnd NestedText(size_t open);
    // keyword bin(N(N bytes)): the bytes are skipped by count, as they may hold parentheses.
    FieldEnd Binary(size_t open);
    FieldEnd List(size_t open, const ListStop& stop);
    // Whether the group at `open` starts with a known field, i.e. is a group of fields.
    bool OpensFieldGroup(size_t open) const;

  private:
    std::string_view text_;
    uint32_t& quirks_;
};

// vcpname(10(Brightness) 14(9300 6500)): each code with the text in its parentheses.
void ParseVcpNames(std::string_view value, std::vector<VcpName>& names);

}  // namespace brevlink::caps
