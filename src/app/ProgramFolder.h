#pragma once

#include <QString>

// The running executable and its folder (with a trailing separator): every
// file the program reads sits there.
QString programFilePath();
QString programFolder();
