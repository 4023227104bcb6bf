// The toolkit's folder-browse dialog.
#pragma once

#include <QString>

class QWidget;

// Lets the user pick an existing folder; `prompt` is shown as the dialog's title and no
// folder is preselected. Returns the folder as the system names it (the root with its
// separator, other folders without a trailing one), or an empty text when cancelled.
QString BrowseForFolder(QWidget* owner, const QString& prompt);
