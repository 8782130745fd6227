#pragma once

#include <QString>

namespace builder {

// Writes the private Firebird root beside the program: a firebird.conf for
// the shared-file server mode (so several copies can open the dictionary)
// and links to the system's message file and character-set library.
void writeFirebirdRoot(const QString& root, const QString& systemRoot);

} // namespace builder
