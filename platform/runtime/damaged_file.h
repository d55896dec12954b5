#pragma once
// A damaged file the program repairs by writing its defaults back keeps the
// damaged copy for the user, numbered so that a later damage never overwrites
// an earlier one: "MMVarLas.stt.damaged1", "MMVarLas.stt.damaged2", ...
#include <string>
#include <string_view>

namespace rt {

// Copies the named file beside itself under the first free numbered name and
// returns that name's last component (Windows-1252); empty when no copy could
// be made.
std::string KeepDamagedCopy(std::string_view name);

}  // namespace rt
