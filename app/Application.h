#pragma once

namespace verdaxil {

// Creates the application and its three forms, runs the event loop until the main
// window is closed, and returns the exit code (always 0).
int runApplication(int argc, char** argv);

} // namespace verdaxil
