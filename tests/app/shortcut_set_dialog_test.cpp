#include "app/hotkey_table.h"
#include "app/main_window.h"
#include "app/shortcut_set_dialog.h"
#include "support/controls.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ShortcutSetDialog, RowsStandAtTheirPlacesWithTheirTexts) {
    Hotkeys hotkeys;
    TFrmShortcutSet dialog(hotkeys);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(u8"热键设置"));
    const QLabel* labels[] = {dialog.LblFullScreen, dialog.LblWindowShot, dialog.LblClientShot,
                              dialog.LabelAreaShots, dialog.LblESC};
    const char8_t* names[] = {u8"全屏幕截圖", u8"窗體截圖", u8"客戶端截圖", u8"局部區域截圖",
                              u8"退出"};
    for (int i = 0; i < 5; ++i) {
        const int top = 33 + 33 * i;
        EXPECT_EQ(labels[i]->y(), top);
        EXPECT_EQ(labels[i]->text(), QString::fromUtf8(names[i]));
        const auto& row = dialog.Rows[size_t(i)];
        for (QWidget* w : {static_cast<QWidget*>(row.conflict), static_cast<QWidget*>(row.first),
                           static_cast<QWidget*>(row.second), static_cast<QWidget*>(row.key)})
            EXPECT_EQ(w->parentWidget(), dialog.SbCenter);
        EXPECT_EQ(row.conflict->pos(), QPoint(380, top));
        EXPECT_EQ(row.first->geometry().topLeft(), QPoint(163, top));
        EXPECT_EQ(row.first->width(), 65);
        EXPECT_EQ(row.second->geometry().topLeft(), QPoint(245, top));
        EXPECT_EQ(row.second->width(), 65);
        EXPECT_EQ(row.key->geometry().topLeft(), QPoint(329, top));
        EXPECT_EQ(row.key->width(), 60);
        EXPECT_EQ(row.conflict->text(), QString::fromUtf8(u8"此快捷鍵沖突，請修改"));
        EXPECT_EQ(row.conflict->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_EQ(row.conflict->font().pointSize(), 12);
        EXPECT_TRUE(row.conflict->isHidden());
        EXPECT_TRUE(row.first->isEditable());
        QStringList items;
        for (int k = 0; k < row.first->count(); ++k)
            items << row.first->itemText(k);
        EXPECT_EQ(items, QStringList({"Ctrl", "Shift", "Alt", "ESC"}));
        EXPECT_EQ(row.second->count(), 4);
        EXPECT_EQ(row.key->font().pointSize(), 12);
        // The conflict text is not hidden behind the key box.
        const int textLeft = row.conflict->x() + row.conflict->indent();
        EXPECT_GE(textLeft, row.key->geometry().right() + 1);
        EXPECT_LE(row.conflict->geometry().right(), dialog.SbCenter->width());
    }
    for (SpeedButton* b : {dialog.btndefault, dialog.btnsave, dialog.BtnClose})
        EXPECT_FALSE(b->glyphBitmap().isNull()) << b->objectName().toStdString();
}

TEST(ShortcutSetDialog, ShowFillsRowsSaveCopiesDefaultRefillsCloseDiscards) {
    Hotkeys hotkeys;
    hotkeys.table[4] = {"Alt", "", "q"};
    hotkeys.conflicts = {false, false, true, false, false};
    TFrmShortcutSet dialog(hotkeys);
    dialog.show();
    auto& rows = dialog.Rows;
    EXPECT_EQ(rows[0].first->currentText(), "Ctrl");
    EXPECT_EQ(rows[0].second->currentText(), "Shift");
    EXPECT_EQ(rows[0].key->text(), "F");
    EXPECT_EQ(rows[4].first->currentText(), "Alt");
    EXPECT_EQ(rows[4].second->currentText(), "");
    EXPECT_EQ(rows[4].key->text(), "q");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rows[size_t(i)].conflict->isVisible(), i == 2);

    // Save copies the boxes as they are, conflicts from the labels, and closes.
    rows[1].first->setEditText("Win ");
    rows[1].key->setText(" z");
    rows[2].conflict->hide();
    rows[3].conflict->show();
    dialog.btnsave->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(hotkeys.table[1], (HotkeyRow{"Win ", "Shift", " z"}));
    EXPECT_EQ(hotkeys.table[4], (HotkeyRow{"Alt", "", "q"}));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{false, false, false, true, false}));

    // Default changes the table at once and stays open; close then keeps the defaults.
    dialog.show();
    rows[0].key->setText("P");
    dialog.btndefault->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(hotkeys.table, DefaultHotkeys());
    EXPECT_EQ(rows[0].key->text(), "F");
    EXPECT_EQ(rows[4].first->currentText(), "");
    EXPECT_EQ(rows[4].key->text(), "ESC");
    EXPECT_TRUE(rows[3].conflict->isVisible());
    rows[0].key->setText("P");
    dialog.BtnClose->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(hotkeys.table, DefaultHotkeys());
}

TEST(ShortcutSetDialog, MenuItemOpensOneDialogModallyAndReusesIt) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    std::vector<QWidget*> opened;
    auto closeWhenUp = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            opened.push_back(modal);
            if (modal) modal->close();
        });
    };
    closeWhenUp();
    Control<QAction>(form, "MnHotkeySet").trigger();
    closeWhenUp();
    form.BtnSetHotkeyClick();
    ASSERT_EQ(opened.size(), 2u);
    ASSERT_NE(opened[0], nullptr);
    EXPECT_EQ(opened[0], form.findChild<TFrmShortcutSet*>());
    EXPECT_EQ(opened[1], opened[0]);
    EXPECT_EQ(opened[0]->parentWidget(), &form);
    EXPECT_EQ(form.findChildren<TFrmShortcutSet*>().size(), 1);
}
