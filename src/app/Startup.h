#pragma once

// Whether there is a display to open windows on (or a platform chosen by
// the caller, such as offscreen).
bool displayAvailable();

// Process set-up once the application object exists.
void registerFontSubstitutes();

// The whole run: the data modules, the main window and the message loop, or
// the failure path when the dictionary cannot be opened. Returns the exit code.
int runZentavo(int argc, char* argv[]);
