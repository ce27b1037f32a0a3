// Report cells are HTML fragments; JUnit and terminals want plain text.
#pragma once

#include <string>
#include <string_view>

namespace kestrova::app::console {

// Line breaks ("<BR>", "<br>", "<br/>") become new lines, other tags go, the common entities and
// numeric references are decoded ("&" alone stays), and the ends are trimmed.
std::string HtmlToPlainText(std::string_view html);

}  // namespace kestrova::app::console
