#include "settings/GlobalSettings.h"

QString FontName;
qint32 GlobalActiveStyle = 0;
QString GlobalActiveName;
