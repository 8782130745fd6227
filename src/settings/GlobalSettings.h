#pragma once

#include <QString>

// Program-wide appearance settings, one instance each for the whole run.
extern QString FontName;         // face of entry and sample pages
extern qint32 GlobalActiveStyle; // position of the active skin, from 1; 0 none
extern QString GlobalActiveName; // name of the active skin, stored and restored only
