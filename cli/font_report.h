#pragma once

#include <QString>
#include <string_view>

namespace h8 {

// One line naming every character of the line that the font does not have, each
// once, and how it is drawn; empty when the font has them all.
QString FontReport(std::u16string_view line);

} // namespace h8
