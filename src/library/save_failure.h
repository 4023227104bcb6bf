// Why a picture could not be written, as the system tells it, and the message that says so.
#pragma once

#include <QImage>
#include <QString>

// The system's error (errno) for writing the picture to `path` now: the folder is asked
// for a nameless file the size of the picture as written there, which shows a missing
// folder, missing rights, a read-only or full disk and a file-size limit alike. Nothing
// is left behind. 0 when the system finds nothing wrong now.
int PictureWriteError(const QImage& picture, const QString& path);

// The reason for a system error in the interface language; the system's own words for
// errors without a text of ours, empty for 0.
QString WriteErrorReason(int error);

// The failed-save message for `path` in the interface language, with the reason the
// system gives for it on a second line when there is one.
QString SaveFailedText(const QImage& picture, const QString& path);
