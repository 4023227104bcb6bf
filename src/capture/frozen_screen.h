// The frozen picture of the screen during an area capture: one borderless window on top of
// every monitor, each showing its part of the grab 1:1 in device pixels, on which the user
// drags out the rectangle to keep with the left button; Esc gives up.
#pragma once

#include "edit/canvas_tool_engine.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class QScreen;
class QWidget;
class FrozenView;

// A monitor's rectangle on the X screen in device pixels.
QRect DeviceGeometry(const QScreen* screen);

class FrozenScreen : public QObject {
    Q_OBJECT
  public:
    // `screen` is the grab of the whole X screen in device pixels; `pen` the colour of the
    // rubber band; `title` the caption of its windows; `font` that of the drag hint.
    FrozenScreen(QImage screen, QRgb pen, const QString& title, const QFont& font);
    ~FrozenScreen() override;

    // Covers every monitor with its part of the grab; the window under the cursor takes the
    // focus, so Esc reaches it.
    void show();
    void hide();
    bool isVisible() const;

    // The drag hint beside the cursor, following it until the first press.
    void showHint(const QString& text);
    void hideHint();
    bool hintShown() const { return hintShown_; }

    // The grab as it is shown (with the rubber band while a drag is under way).
    const QImage& picture() const { return screen_; }
    // The monitors' windows, for tests and for keeping other windows above them.
    QList<QWidget*> windows() const;

    // The mouse in device pixels of the X screen, as the windows report it.
    void press(QPoint at);
    void move(QPoint at, bool leftDown);
    void release(QPoint at);
    // Esc, or a window closed by the window manager.
    void giveUp();

  signals:
    // A rectangle was dragged out, in the grab's pixels; it is never empty.
    void selected(QRect rect);
    void cancelled();

  private:
    void repaint(const QRegion& changed);
    void placeHint(QPoint devicePos);

    QImage screen_;
    QRgb pen_;
    QString hintText_;
    QFont font_;
    QList<QPointer<FrozenView>> views_;
    bool hintShown_ = false;
    bool dragging_ = false;
    int startX_ = 0, startY_ = 0, endX_ = 0, endY_ = 0;
    CanvasToolEngine engine_{DragPoints{startX_, startY_, endX_, endY_}};
};
