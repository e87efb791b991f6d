#pragma once

namespace platform {

// Makes standard input and output pass bytes unchanged (no CR LF translation and no
// end of file at Ctrl-Z on Windows).
void UseBinaryStandardStreams();

} // namespace platform
