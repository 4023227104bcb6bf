// The tool armed on a window's picture: what the next drag there does. The window owns one
// and hands it to the parts that arm or disarm it.
#pragma once

#include "edit/canvas_tools.h"

#include <cstdint>

class ToolState {
  public:
    std::uint8_t current() const { return tool_; }
    // The armed tool's row; null when no tool is armed.
    const CanvasTool* tool() const { return FindCanvasTool(tool_); }
    bool armed() const { return tool_ != ttNone; }
    // Arms a tool of the table; any other code leaves no tool armed.
    void arm(std::uint8_t tool) { tool_ = FindCanvasTool(tool) ? tool : std::uint8_t(ttNone); }
    void disarm() { tool_ = ttNone; }

  private:
    std::uint8_t tool_ = ttNone;
};
