#include "common/text_tables.h"
#include "edit/watermark_dialog.h"
#include "edit/watermark_settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <gtest/gtest.h>

TEST(WatermarkDialog, LoadsEditsAndKeepsEveryChangeOnClose) {
    WatermarkSettings settings;
    settings.text = "old";
    settings.type = 0;
    settings.transparent = 6;
    settings.markX = 4;

    TFrmWaterMarkSet dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), texts::Texts().TxtWatermarkTitle);
    ASSERT_EQ(dialog.LbWatermarkType->count(), 3);
    EXPECT_EQ(dialog.LbWatermarkType->item(1)->text(), QString::fromUtf8(u8"图片水印"));
    EXPECT_EQ(dialog.CbMarkContrst->text(), QString::fromUtf8(u8"反向坐标"));
    EXPECT_EQ(dialog.SbTransparent->minimum(), 1);
    EXPECT_EQ(dialog.SbTransparent->maximum(), 10);

    dialog.LoadWatermarkDialog();
    EXPECT_EQ(dialog.EdtWatermark->text(), "old");
    EXPECT_EQ(dialog.LbTrans->text(), "6");
    EXPECT_EQ(dialog.EdtMarkX->text(), "4");
    // Text type: the text field shows, the picture fields do not.
    EXPECT_FALSE(dialog.EdtWatermark->isHidden());
    EXPECT_TRUE(dialog.EdtWatermarkIMGPath->isHidden());
    EXPECT_TRUE(dialog.ImgPreview->isHidden());
    dialog.LbWatermarkType->setCurrentRow(1);
    EXPECT_TRUE(dialog.EdtWatermark->isHidden());
    EXPECT_FALSE(dialog.ImgPreview->isHidden());
    dialog.LbWatermarkType->setCurrentRow(2);
    EXPECT_TRUE(dialog.EdtWatermarkIMGPath->isHidden());

    // Letters in an offset field give 0.
    dialog.EdtMarkY->setText("abc");
    dialog.EdtMarkYExit();
    EXPECT_EQ(settings.markY, 0);
    EXPECT_EQ(dialog.EdtMarkY->text(), "0");

    dialog.LbWatermarkType->setCurrentRow(0);
    dialog.EdtWatermark->setText("new");
    dialog.SbTransparent->setValue(9);
    EXPECT_EQ(dialog.LbTrans->text(), "9");
    dialog.EdtMarkX->setText("12");
    dialog.CbMarkContrst->setChecked(false);
    dialog.show();
    dialog.BtnCloseClick(); // OK and the close button both keep the edits
    EXPECT_EQ(settings.text, "new");
    EXPECT_EQ(settings.type, 0);
    EXPECT_EQ(settings.transparent, 9);
    EXPECT_EQ(settings.markX, 12);
    EXPECT_FALSE(settings.reverse);
}
