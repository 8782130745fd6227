#pragma once

#include <QString>

class QWidget;

namespace platform {

// Opens a document or an address with the desktop's default handler.
bool openDocument(const QString& pathOrAddress);

// The environment variable that marks a run started by runElevated.
inline constexpr char kRelaunchMarker[] = "ZENTAVO_RELAUNCHED";

// Whether this process may start an elevated copy: never when it already
// runs as root or was itself started that way, so a failure that elevation
// does not cure cannot start an endless chain of runs.
bool elevationAllowed();

// Starts program with administrator rights (through pkexec) and the given
// arguments; returns whether the start was made. Nothing starts when
// elevation is not allowed, pkexec is missing or program does not exist.
bool runElevated(QWidget* parent, const QString& program, const QString& parameters);

} // namespace platform
