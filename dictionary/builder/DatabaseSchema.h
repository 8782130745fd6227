#pragma once

#include <QStringList>

namespace builder {

// The statements that create the dictionary's tables, indexes and procedure,
// in the order they must run.
QStringList schemaStatements();

} // namespace builder
