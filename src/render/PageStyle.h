#pragma once

#include <QByteArray>

// The style block shared by the entry page and the sample page: the page's
// margins and line height, and the tooltip boxes that show a linked
// character enlarged while the pointer rests on it. One rule a line.
inline const QByteArray kPageStyleBlock =
    "body { margin: 18px; line-height: 1.5; }\r\n"
    ".tooltip { position: relative; display: inline-block; }\r\n"
    ".tooltip .tooltiptext { visibility: hidden; width: 90px; background-color: #696969; "
    "color: white; text-align: center; font-size: 48px; border-radius: 6px; padding: 5px 0; "
    "position: absolute; z-index: 1; top: 100%; left: 50%; margin-left: -60px; }\r\n"
    ".tooltip:hover .tooltiptext { visibility: visible; }";
