// The system clipboard.
#pragma once

class QImage;

// Replaces the clipboard's whole content by the picture as a bitmap.
void PutImageOnClipboard(const QImage& image);
