#pragma once

namespace platform {

// Makes standard output pass bytes unchanged (no LF to CR LF translation on Windows).
void UseBinaryStandardOutput();

} // namespace platform
