#pragma once

// Process set-up that must happen before the application object exists.
bool displayAvailable();
void prepareProcessEnvironment();

// Process set-up once the application object exists.
void registerFontSubstitutes();
