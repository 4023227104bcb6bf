#include "app/left_toolbar_layout.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

QWidget* Button(QWidget* parent, int w, int h) {
    auto* b = new QWidget(parent);
    b->resize(w, h);
    return b;
}

} // namespace

TEST(LeftToolbarLayout, StacksVisibleButtonsAndSkipsHiddenOnes) {
    QWidget column;
    LeftToolbarItems items;
    items.continueCut = Button(&column, 116, 22);
    items.areaCapture = Button(&column, 122, 24);
    items.fullScreen = Button(&column, 122, 24);
    items.otherFunctions = Button(&column, 122, 24);
    items.exit = Button(&column, 122, 24);

    int bottom = StackLeftToolbar(items);
    EXPECT_EQ(items.continueCut->pos(), QPoint(6, 1));
    EXPECT_EQ(items.areaCapture->pos(), QPoint(3, 28));
    EXPECT_EQ(items.fullScreen->pos(), QPoint(3, 55));
    EXPECT_EQ(items.otherFunctions->pos(), QPoint(3, 82));
    EXPECT_EQ(items.exit->pos(), QPoint(3, 109));
    EXPECT_EQ(bottom, 136);

    // An invisible button takes no room.
    items.continueCut->hide();
    items.fullScreen->hide();
    StackLeftToolbar(items);
    EXPECT_EQ(items.areaCapture->pos(), QPoint(3, 1));
    EXPECT_EQ(items.otherFunctions->pos(), QPoint(3, 28));
    EXPECT_EQ(items.exit->pos(), QPoint(3, 55));
}

TEST(LeftToolbarLayout, PlacesTheVendorButtonsBeforeExitAndThePanelLast) {
    QWidget column;
    LeftToolbarItems items;
    items.continueCut = Button(&column, 116, 22);
    items.areaCapture = Button(&column, 122, 24);
    items.fullScreen = Button(&column, 122, 24);
    items.otherFunctions = Button(&column, 122, 24);
    items.vendorButton1 = Button(&column, 122, 24);
    items.vendorButton2 = Button(&column, 122, 24);
    items.exit = Button(&column, 122, 24);
    items.vendorPanel = Button(&column, 122, 160);

    StackLeftToolbar(items);
    EXPECT_EQ(items.vendorButton1->pos(), QPoint(3, 109));
    EXPECT_EQ(items.vendorButton2->pos(), QPoint(3, 136));
    EXPECT_EQ(items.exit->pos(), QPoint(3, 163));
    EXPECT_EQ(items.vendorPanel->pos(), QPoint(3, 190));

    // Without its first button the vendor pair is left out; the panel still comes last.
    items.vendorButton1->hide();
    items.exit->hide();
    StackLeftToolbar(items);
    EXPECT_EQ(items.vendorPanel->pos(), QPoint(3, 109));
}
