// The armed canvas tool: what a drag on the main picture does.
#pragma once

#include "edit/canvas_tools.h"

#include <cstdint>

// Process-wide; ttNone at start.
extern std::uint8_t ToolType;
