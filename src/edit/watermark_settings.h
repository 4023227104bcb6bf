// The seven watermark settings, loaded from and saved to the settings file.
#pragma once

#include <QString>

struct WatermarkSettings {
    QString text;        // text of a text watermark
    QString imgPath;     // file of a picture watermark
    int type = 2;        // 0 text, 1 picture, 2 none
    int transparent = 8; // strength 1..10; weight in the blend is transparent / 10
    bool reverse = true; // offsets count from the right and bottom edges
    int markX = 0;
    int markY = 0;
};
