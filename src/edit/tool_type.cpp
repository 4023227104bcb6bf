#include "edit/tool_type.h"

std::uint8_t ToolType = ttNone;
