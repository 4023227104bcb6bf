// Copying a picture control's picture to the clipboard.
#pragma once

class ImageControl;

// The control's picture onto the clipboard; nothing when it holds none. Silent: a failure
// does nothing.
void CopyPicToClipboard(const ImageControl* image);
