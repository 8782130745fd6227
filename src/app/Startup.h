#pragma once

// Process set-up that must happen before the application object exists.
bool displayAvailable();
void prepareProcessEnvironment();

// Process set-up once the application object exists.
void registerFontSubstitutes();

// The whole run: the data modules, the main window and the message loop, or
// the failure path when the dictionary cannot be opened. Returns the exit code.
int runZentavo(int argc, char* argv[]);
