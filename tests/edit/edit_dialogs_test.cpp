#include "edit/background_dialog.h"
#include "edit/pic_param_dialog.h"
#include "widgets/speed_button.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

TEST(EditDialogs, SizeFieldsReadAsShownAndEnterConfirms) {
    TFrmPicParam dialog;
    dialog.PresetSize(800, 600);
    EXPECT_EQ(dialog.EdtPicWidth->displayText(), "800     ");
    dialog.show();
    // Letters are refused; a blank left by a deleted digit ends the number.
    dialog.EdtPicWidth->clear();
    QTest::keyClicks(dialog.EdtPicWidth, "1a234");
    dialog.EdtPicWidth->setCursorPosition(2);
    QTest::keyClick(dialog.EdtPicWidth, Qt::Key_Delete);
    dialog.EdtPicHeight->clear();
    EXPECT_EQ(dialog.NewWidth, 800); // only read when confirmed
    QTest::keyClick(dialog.EdtPicHeight, Qt::Key_Return);
    EXPECT_EQ(dialog.NewWidth, 12);
    EXPECT_EQ(dialog.NewHeight, 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Closing keeps the preset values.
    dialog.PresetSize(30, 40);
    dialog.EdtPicWidth->setText("5");
    dialog.BtnClose->click();
    EXPECT_EQ(dialog.NewWidth, 30);
}

TEST(EditDialogs, BackgroundValuesChangeOnConfirmOnly) {
    TFrmBackgroundSet dialog;
    dialog.LbBGStyle->setCurrentRow(2);
    TFrmBackgroundSet::SelectColor(dialog.CbBorderColor, QColor(1, 2, 3));
    dialog.BtnClose->click();
    EXPECT_EQ(dialog.Stored().bgStyle, 0);
    dialog.BtnConfirm->click(); // the border list has no selection: item 0
    EXPECT_EQ(dialog.Stored().bgStyle, 2);
    EXPECT_EQ(dialog.Stored().borderStyle, 0);
    EXPECT_EQ(dialog.Stored().borderColor, QColor(1, 2, 3));
    dialog.BtnDefaultSet->click();
    EXPECT_EQ(dialog.LbBGStyle->currentRow(), 0);
    EXPECT_EQ(TFrmBackgroundSet::SelectedColor(dialog.CbBgColor), QColor(Qt::white));
    EXPECT_EQ(TFrmBackgroundSet::SelectedColor(dialog.CbBorderColor), QColor(Qt::black));
    EXPECT_EQ(dialog.Stored().bgStyle, 2);
}
