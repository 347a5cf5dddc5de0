#pragma once

namespace verdaxil {

// The program's name: what the desktop lists the running window under, the error
// box's caption, and the folder its data are kept in.
inline constexpr const char* kApplicationName = "Verdaxil";

// Names the program to Qt, the window and the command lines alike, so that they share
// one data folder (QStandardPaths::AppDataLocation) and one version.
void setApplicationIdentity();

} // namespace verdaxil
