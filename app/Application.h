#pragma once

namespace verdaxil {

// The name the desktop lists the running program under and the error box's caption;
// the main window keeps its own caption.
inline constexpr const char* kApplicationTitle = "Verdaxil";

// Creates the application and its three forms, runs the event loop until the main
// window is closed, and returns the exit code (always 0).
int runApplication(int argc, char** argv);

} // namespace verdaxil
