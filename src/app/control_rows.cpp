#include "app/control_rows.h"

#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

QColor BarColor() {
    return QColor(245, 250, 254);
}

void PaintBackground(QWidget* widget, const QColor& color) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, color);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void MakeButtons(QWidget* parent, std::span<const FormButton> rows,
                 const std::function<void(const FormButton&)>& onClick) {
    for (const FormButton& row : rows) {
        auto* button = Named(new SpeedButton(parent), row.name);
        button->setGeometry(row.place);
        QObject::connect(button, &QAbstractButton::clicked, parent,
                         [onClick, row] { onClick(row); });
    }
}

SpeedButton* ButtonOf(const QWidget* parent, const char* name) {
    return parent->findChild<SpeedButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void WordButtons(const QWidget* parent, std::span<const FormButton> rows) {
    for (const FormButton& row : rows)
        if (SpeedButton* button = ButtonOf(parent, row.name))
            button->setToolTip(row.hint ? row.hint() : QString());
}

void DrawButtons(const QWidget* parent, std::span<const FormButton> rows) {
    for (const FormButton& row : rows)
        if (row.glyph)
            if (SpeedButton* button = ButtonOf(parent, row.name))
                LoadGlyph(button, QString::fromLatin1(row.glyph));
}

void MakeMenuItems(QMenu* menu, std::span<const FormMenuItem> rows,
                   const std::function<void(FormCommand)>& onChoose) {
    for (const FormMenuItem& row : rows) {
        if (!row.name) {
            menu->addSeparator();
            continue;
        }
        QAction* item = Named(menu->addAction(QString()), row.name);
        item->setCheckable(row.toggle);
        QObject::connect(item, &QAction::triggered, menu, [onChoose, item, handler = row.handler] {
            // A toggle flips its own check mark before its handler inverts
            // it, so undo the toolkit's flip.
            if (item->isCheckable()) item->setChecked(!item->isChecked());
            onChoose(handler);
        });
    }
}

void WordMenuItems(const QMenu* menu, std::span<const FormMenuItem> rows) {
    for (const FormMenuItem& row : rows) {
        if (!row.name) continue;
        QAction* item = menu->findChild<QAction*>(QString::fromLatin1(row.name));
        if (!item) continue;
        item->setText(row.text ? row.text() : QString());
        if (row.hint) item->setToolTip(row.hint());
    }
}
