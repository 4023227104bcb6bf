// The armed canvas tool: what a drag on the main picture does.
#pragma once

#include <cstdint>

enum ToolTypeCode : std::uint8_t {
    ttNone = 0,
    ttText = 1,
    ttRect = 2,
    ttCircle = 3,
    ttLine = 4,
    ttAreaCut = 5,
    ttRoundRec = 6,
    ttSingleArrow = 7,
    ttDoubleArrow = 8,
};

// Process-wide; ttNone at start.
extern std::uint8_t ToolType;
