#pragma once

namespace h8 {

// Makes the standard streams pass bytes unchanged (no CR LF translation and no end
// of file at Ctrl-Z on Windows), so h8 writes the same bytes on every system.
void UseBinaryStandardStreams();

} // namespace h8
