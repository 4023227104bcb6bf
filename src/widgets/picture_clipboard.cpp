#include "widgets/picture_clipboard.h"

#include "common/guard.h"
#include "platform/clipboard.h"
#include "widgets/image_control.h"

void CopyPicToClipboard(const ImageControl* image) {
    Guarded([&] {
        if (image && image->hasPicture()) PutImageOnClipboard(image->picture());
    });
}
