#pragma once

// Where the tests find the built program folder with the real dictionary.
#include <QString>

inline QString builtProgramFolder() {
    return QStringLiteral(ZENTAVO_BIN_DIR "/");
}
