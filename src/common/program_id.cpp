#include "common/program_id.h"

#ifndef QELSHOT_APP_ID
#error "the build passes QELSHOT_APP_ID, the id the desktop entry is installed under"
#endif

QString ProgramId() {
    return QStringLiteral(QELSHOT_APP_ID);
}
