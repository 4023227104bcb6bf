// The four-state history of the main picture behind the step-back and step-forward
// commands. A state is saved at the start of every text commit; a step copies the area of
// the shared rectangle between a slot and the picture, never changing the picture's size.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <array>

class EditHistory {
  public:
    static constexpr int kSlots = 4;

    // Number of saved states below the current one: slot pos() holds the latest state
    // saved or stepped to. 0 to kSlots.
    int pos() const { return pos_; }
    // The area every copy into and out of the slots uses.
    QRect rect() const { return rect_; }
    void setRect(const QRect& r) { rect_ = r; }
    // Highest slot holding a state; step-forward stops there.
    int newest() const { return newest_; }
    // Slot n (1 to kSlots); a null image for any other n.
    const QImage& slot(int n) const;

    // Position back to 0 (a picture chosen from the list); the slots keep their contents.
    void resetPos() { pos_ = 0; }

    // Saves the area (0, 0, display size) of the picture into the next slot. The rectangle
    // becomes that area. Parts beyond the picture's edge are recorded as white. With all
    // four slots in use the oldest state is dropped and the others move down one slot.
    void save(const QImage& picture, QSize displaySize);
    // Copies the rectangle of the current slot onto the picture and moves one state back.
    // Nothing happens at position 0. False when nothing was done.
    bool stepBack(QImage& picture);
    // Moves one state forward and copies that slot's rectangle onto the picture. Nothing
    // happens past the newest saved state. False when nothing was done.
    bool stepForward(QImage& picture);

  private:
    // Copies the rectangle of slot n onto the picture; the picture is converted to a format
    // that can be drawn on first.
    void restore(int n, QImage& picture) const;

    std::array<QImage, kSlots> slots_;
    QRect rect_;
    int pos_ = 0;
    int newest_ = 0;
};
