// The compiled-in JPEG pictures (under :/jpg), decoded by the program's JPEG decoder.
#pragma once

#include <QImage>
#include <QString>

// Loads the JPEG picture :/<type>/<name>, looked up without regard to letter case. Failure
// leaves target as it was.
void LoadResJpeg(QImage& target, const QString& name, const QString& type = "jpg");
