#include "library/pic_folder.h"

#include "common/picture_formats.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

TEST(PicFolder, ExampleFolderIsListedAndSorted) {
    const QString f = "/pics/";
    const QStringList paths = {f + "1.jpg",      f + "10.jpg",    f + "2.bmp", f + "x.png",
                               f + "readme.txt", f + "A.JPG",     f + "b.Png", f + "noext",
                               f + ".jpg.bak",   f + "shot.jpeg", f + "c.ico"};
    EXPECT_EQ(PicNamesOf(paths, PictureFormatList()),
              QStringList({"c.ico", "shot.jpeg", "x.png", "1.jpg", "2.bmp", "10.jpg"}));
    EXPECT_TRUE(PicNamesOf({}, PictureFormatList()).isEmpty());
}

TEST(PicFolder, StemValues) {
    const struct {
        const char* stem;
        qint64 value;
    } cases[] = {
        {"12", 12},
        {"12abc", 12},
        {"PIC12", 0},
        {"", 0},
        {"  7", 7},
        {"-3", -3},
        {"+4", 4},
        {"$1F", 31},
        {"0x10", 16},
        {"X1a", 26},
        {"x", 0},
        {"0xG", 0},
        {"-$10", -16},
        {"1 2", 1},
        {"007", 7},
        {"9223372036854775807", 9223372036854775807},
        {"99999999999999999999", 999999999999999999},
        {"１２", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PicNameValue(QString::fromUtf8(c.stem)), c.value) << c.stem;
}

TEST(PicFolder, OrderIsByValueThenByNameWhateverTheInputOrder) {
    EXPECT_LT(ComparePicNames("2.jpg", "10.jpg"), 0);
    EXPECT_LT(ComparePicNames("9.png", "12abc.jpg"), 0);
    EXPECT_LT(ComparePicNames("PIC12.jpg", "3.jpg"), 0);
    EXPECT_GT(ComparePicNames("10.jpg", "2.bmp"), 0);
    // Equal values and names without numbers are ordered by name.
    EXPECT_LT(ComparePicNames("1.bmp", "1.jpg"), 0);
    EXPECT_LT(ComparePicNames("PIC1.jpg", "PIC2.jpg"), 0);
    EXPECT_LT(ComparePicNames("01.jpg", "1.jpg"), 0);
    EXPECT_EQ(ComparePicNames("a.jpg", "a.jpg"), 0);

    const QStringList sorted = {"-5.png",    "PIC1.jpg", "PIC2.jpg", "a.b.c.jpg", "x.png",
                                "1.bmp",     "1.jpg",    "2.jpg",    "9.png",     "10.jpg",
                                "12abc.jpg", "$1F.bmp",  "0x20.jpg", "100.jpg"};
    QStringList names = sorted;
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(names.begin(), names.end(), random);
        SortPicNames(names);
        ASSERT_EQ(names, sorted);
    }
}

TEST(PicFolder, WhatAnInterruptedSaveLeftIsNeverListed) {
    const QString f = "/pics/";
    // The hidden placeholders of older versions and the temporary files of a save that was
    // killed; other hidden pictures and names only like them are the user's.
    const QStringList paths = {f + ".qelshot-AbC123.png",
                               f + ".qelshot-x9Y8z7.jpg",
                               f + ".qelshot-000000.tmp",
                               f + ".hidden.png",
                               f + "qelshot-AbC123.png",
                               f + ".qelshot-AbC12.png",
                               f + "2.png"};
    EXPECT_EQ(PicNamesOf(paths, PictureFormatList()),
              QStringList({".hidden.png", ".qelshot-AbC12.png", "qelshot-AbC123.png", "2.png"}));
}
