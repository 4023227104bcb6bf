#include "widgets/window_flags.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

void ChangeWindowFlags(QWidget* window, Qt::WindowFlags flags) {
    if (!window || window->windowFlags() == flags) return;
    window->overrideWindowFlags(flags);
    if (QWindow* native = window->windowHandle()) native->setFlags(flags);
}

namespace {

// Keeps a dialog's place between its showings.
class PlaceKeeper : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Its place now counts as chosen: the next showing keeps it.
        if (event->type() == QEvent::Hide && !event->spontaneous())
            if (auto* dialog = qobject_cast<QWidget*>(watched))
                dialog->setAttribute(Qt::WA_Moved, true);
        return false;
    }
};

} // namespace

void MakeFixedDialog(QWidget* dialog, Qt::WindowFlags extra) {
    if (!dialog) return;
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | extra);
    dialog->installEventFilter(new PlaceKeeper(dialog));
}
