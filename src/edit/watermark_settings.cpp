#include "edit/watermark_settings.h"

WatermarkSettings Watermark;
