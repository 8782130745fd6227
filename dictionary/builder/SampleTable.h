#pragma once

#include "DatabaseWriter.h"

#include <QByteArray>
#include <vector>

namespace builder {

// Sample works from samples.txt. Each work starts with a line
// "@@ <id> | <kind> | <title>" and holds the sections "## han", "## reading"
// and "## translation", each running to the next marker line.
std::vector<SampleRow> readSamples(const QByteArray& text);

} // namespace builder
