#pragma once

#include <optional>
#include <string>

namespace varokin::engine {

// What a switch asks the main window to show: the title goes to the "Current TC" label, the
// description to the kind's description pane. A field left unset leaves its control as it is.
struct ShownText {
  std::optional<std::string> title;
  std::optional<std::string> description;
};

}  // namespace varokin::engine
