#pragma once

#include <string>

#include "platform/os/environment.h"

namespace fishbone_gui {

// `fishbone-gui --screenshots DIR`: starts the host in a private, temporary configuration (the
// user's own registry and recovery file are not touched) and writes DIR/host-start.png (the
// host after start-up), DIR/host-report.png (the host with the finished report of the built-in
// sample) and DIR/print-preview.png (the report's print preview). Returns the exit status;
// failures are printed on standard error, naming the file.
int TakeScreenshots(const fb::os::Environment& process_environment, const std::string& folder);

}  // namespace fishbone_gui
