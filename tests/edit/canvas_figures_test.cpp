#include "edit/canvas_figures.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

const QRgb kRed = qRgb(255, 0, 0);
const CanvasPen kCopy{kRed, PenStyle::Solid, RasterMode::Copy};
const CanvasPen kInvert{kRed, PenStyle::Solid, RasterMode::NotXor};

QImage White(int w, int h, QImage::Format format = QImage::Format_RGB32) {
    QImage image(w, h, format);
    image.fill(Qt::white);
    return image;
}

QImage Noise(int w, int h, QImage::Format format, quint32 seed) {
    QImage image(w, h, format);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y) {
        uchar* row = image.scanLine(y);
        for (qsizetype i = 0; i < image.bytesPerLine(); ++i)
            row[i] = static_cast<uchar>(rng.bounded(256));
    }
    return image;
}

// (x, y) of every pixel that differs between the two pictures.
Pixels Changed(const QImage& before, const QImage& after) {
    Pixels changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) changed.insert({x, y});
    return changed;
}

Pixels Drawn(int w, int h, const std::function<void(QImage&)>& draw) {
    const QImage before = White(w, h);
    QImage after = before;
    draw(after);
    return Changed(before, after);
}

// Every pixel of a closed outline touches at least two others of it.
bool Closed(const Pixels& pixels) {
    for (const auto& [x, y] : pixels) {
        int neighbours = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((dx || dy) && pixels.count({x + dx, y + dy})) ++neighbours;
        if (neighbours < 2) return false;
    }
    return !pixels.empty();
}

bool MirrorSymmetric(const Pixels& pixels, int left, int right, int top, int bottom) {
    for (const auto& [x, y] : pixels)
        if (!pixels.count({left + right - x, y}) || !pixels.count({x, top + bottom - y}))
            return false;
    return true;
}

} // namespace

TEST(CanvasFigures, ArrowBarbsFollowTheTruncatedArithmetic) {
    using Ends = std::array<QPoint, 2>;
    // Single arrows dragged from (0,0): the head sits at the press point.
    EXPECT_EQ(ArrowBarbEnds({100, 0}, {0, 0}), (Ends{QPoint(10, -5), QPoint(10, 5)}));
    EXPECT_EQ(ArrowBarbEnds({30, 40}, {0, 0}), (Ends{QPoint(10, 5), QPoint(2, 11)}));
    // -1.92 truncates to -1, 7.66 to 7.
    EXPECT_EQ(ArrowBarbEnds({10, 3}, {0, 0}), (Ends{QPoint(11, -1), QPoint(8, 7)}));
    // The double arrow's second head at the far end.
    EXPECT_EQ(ArrowBarbEnds({0, 0}, {100, 0}), (Ends{QPoint(90, 5), QPoint(90, -5)}));
    EXPECT_FALSE(ArrowBarbEnds({7, 7}, {7, 7}).has_value());

    // The barbs are lines from the tip that stop short of their ends; the tip counts once.
    const Pixels head = Drawn(120, 40, [](QImage& p) {
        DrawArrowHead(p, {120, 20}, {20, 20}, kInvert);
    });
    EXPECT_EQ(head.size(), 19u);
    EXPECT_TRUE(head.count({20, 20}));
    EXPECT_TRUE(head.count({29, 15}));
    EXPECT_TRUE(head.count({29, 25}));
    EXPECT_FALSE(head.count({30, 15}));
    EXPECT_FALSE(head.count({30, 25}));
}

TEST(CanvasFigures, BoxesLinesAndEllipsesFollowTheDrawingConventions) {
    // A box covers X1..X2-1 x Y1..Y2-1, whichever corner the drag started from.
    const Pixels box = Drawn(20, 20, [](QImage& p) { DrawBox(p, {2, 3}, {8, 7}, kCopy); });
    const Pixels reversed = Drawn(20, 20, [](QImage& p) { DrawBox(p, {8, 7}, {2, 3}, kCopy); });
    EXPECT_EQ(box, reversed);
    EXPECT_EQ(box.size(), 16u);
    for (const auto& [x, y] : box) {
        EXPECT_TRUE(x == 2 || x == 7 || y == 3 || y == 6) << x << "," << y;
        EXPECT_TRUE(x >= 2 && x <= 7 && y >= 3 && y <= 6) << x << "," << y;
    }

    // A box without width is a visible line, also with the inverting pen; a point is nothing.
    const Pixels thin = Drawn(20, 20, [](QImage& p) { DrawBox(p, {5, 9}, {5, 2}, kInvert); });
    EXPECT_EQ(thin, (Pixels{{5, 2}, {5, 3}, {5, 4}, {5, 5}, {5, 6}, {5, 7}, {5, 8}}));
    const Pixels flat = Drawn(20, 20, [](QImage& p) { DrawBox(p, {3, 4}, {6, 4}, kInvert); });
    EXPECT_EQ(flat, (Pixels{{3, 4}, {4, 4}, {5, 4}}));
    EXPECT_TRUE(Drawn(20, 20, [](QImage& p) { DrawBox(p, {5, 5}, {5, 5}, kInvert); }).empty());
    EXPECT_TRUE(Drawn(20, 20, [](QImage& p) { DrawEllipse(p, {5, 5}, {5, 5}, kInvert); }).empty());

    // A line draws its start but not its end, one pixel per step.
    const Pixels line = Drawn(20, 20, [](QImage& p) { DrawLine(p, {2, 2}, {12, 7}, kInvert); });
    EXPECT_EQ(line.size(), 10u);
    EXPECT_TRUE(line.count({2, 2}));
    EXPECT_FALSE(line.count({12, 7}));
    // Only the part on the picture is drawn.
    const Pixels across = Drawn(20, 20, [](QImage& p) {
        DrawLine(p, {-50, 10}, {50, 10}, kInvert);
    });
    EXPECT_EQ(across.size(), 20u);
    for (const auto& [x, y] : across)
        EXPECT_EQ(y, 10);

    // An ellipse touches all four sides of its box, is symmetric and closed.
    const Pixels ellipse = Drawn(40, 30, [](QImage& p) {
        DrawEllipse(p, {23, 14}, {3, 4}, kInvert);
    });
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (const auto& [x, y] : ellipse) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    EXPECT_EQ(QRect(QPoint(minX, minY), QPoint(maxX, maxY)), QRect(QPoint(3, 4), QPoint(22, 13)));
    EXPECT_TRUE(MirrorSymmetric(ellipse, 3, 22, 4, 13));
    EXPECT_TRUE(Closed(ellipse));
    EXPECT_FALSE(ellipse.count({3, 4}));

    // A rounded rectangle: straight sides, corners cut by the corner ellipse.
    const Pixels round = Drawn(60, 40, [](QImage& p) {
        DrawRoundRect(p, {0, 0}, {50, 30}, QSize(10, 6), kInvert);
    });
    EXPECT_TRUE(MirrorSymmetric(round, 0, 49, 0, 29));
    EXPECT_TRUE(Closed(round));
    EXPECT_FALSE(round.count({0, 0}));
    EXPECT_TRUE(round.count({25, 0}));
    EXPECT_TRUE(round.count({0, 15}));
    EXPECT_TRUE(round.count({49, 15}));
}

TEST(CanvasFigures, EachPixelOnceSoInvertingTwiceRestoresTheBytes) {
    struct Shape {
        const char* name;
        std::function<void(Figure&)> add;
    };
    const std::vector<Shape> shapes = {
        {"box",
         [](Figure& f) {
             f.addBox({-30, -20}, {50, 40});
         }},
        {"thin box",
         [](Figure& f) {
             f.addBox({10, 40}, {11, 10});
         }},
        {"ellipse",
         [](Figure& f) {
             f.addEllipse({55, 45}, {-5, 3});
         }},
        {"tiny ellipse",
         [](Figure& f) {
             f.addEllipse({7, 7}, {10, 9});
         }},
        {"round rect",
         [](Figure& f) {
             f.addRoundRect({2, 3}, {60, 44}, QSize(-11, 8));
         }},
        {"far line",
         [](Figure& f) {
             f.addLine({-100000, 5}, {100000, 40});
         }},
        {"double arrow",
         [](Figure& f) {
             f.addLine({5, 40}, {55, 8});
             f.addArrowHead({55, 8}, {5, 40});
             f.addArrowHead({5, 40}, {55, 8});
         }},
        {"outside",
         [](Figure& f) {
             f.addEllipse({-500, -500}, {-100, -20});
         }},
    };
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32,
                                      QImage::Format_RGB888};
    quint32 seed = 1;
    for (QImage::Format format : formats) {
        for (PenStyle style : {PenStyle::Solid, PenStyle::DashDotDot}) {
            for (const Shape& shape : shapes) {
                SCOPED_TRACE(std::string(shape.name) + " format " + std::to_string(format) +
                             (style == PenStyle::Solid ? " solid" : " dash-dot-dot"));
                const QImage original = Noise(64, 48, format, seed++);
                QImage picture = original;
                Figure figure(picture.size(), style);
                shape.add(figure);
                figure.draw(picture, qRgb(200, 30, 90), RasterMode::NotXor);
                if (std::string(shape.name) != "outside") {
                    EXPECT_NE(picture, original);
                }
                figure.draw(picture, qRgb(200, 30, 90), RasterMode::NotXor);
                ASSERT_EQ(picture.format(), original.format());
                for (int y = 0; y < original.height(); ++y) {
                    ASSERT_EQ(0, std::memcmp(picture.constScanLine(y), original.constScanLine(y),
                                             static_cast<size_t>(original.bytesPerLine())));
                }

                // No pixel is visited twice: inverting on white paints the same pixels as
                // copying the pen colour does.
                QImage inverted = White(64, 48, format);
                QImage copied = inverted;
                Figure again(inverted.size(), style);
                shape.add(again);
                again.draw(inverted, kRed, RasterMode::NotXor);
                again.draw(copied, kRed, RasterMode::Copy);
                EXPECT_EQ(inverted, copied);
            }
        }
    }
}

TEST(CanvasFigures, DashDotDotPatternAndChangedArea) {
    const CanvasPen dashed{kRed, PenStyle::DashDotDot, RasterMode::NotXor};
    const Pixels box = Drawn(60, 20, [&](QImage& p) { DrawBox(p, {0, 0}, {50, 10}, dashed); });
    std::string top;
    for (int x = 0; x < 48; ++x)
        top += box.count({x, 0}) ? 'X' : '.';
    EXPECT_EQ(top, "XXXXXXXXX...XXX...XXX...XXXXXXXXX...XXX...XXX...");
    // The pattern carries on round the corner down the right side.
    std::string right;
    for (int y = 0; y < 10; ++y)
        right += box.count({49, y}) ? 'X' : '.';
    EXPECT_EQ(right, "XXXXXXXX..");

    // The changed area is a thin band along the outline of a large box, not its inside.
    QImage picture = White(1000, 800);
    const QRegion area = DrawBox(picture, {10, 10}, {990, 790}, kInvert);
    EXPECT_TRUE(area.contains(QPoint(10, 400)));
    EXPECT_TRUE(area.contains(QPoint(989, 789)));
    EXPECT_FALSE(area.contains(QPoint(500, 400)));
    qint64 covered = 0;
    for (const QRect& r : area)
        covered += qint64(r.width()) * r.height();
    EXPECT_LT(covered, 980 * 780 / 10);
}

TEST(CanvasFigures, CropClipsToThePictureAndFillsTheRestBlack) {
    QImage source(10, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            source.setPixel(x, y, qRgb(x * 20, y * 20, 100));
    auto expectCrop = [&](const QImage& from, QRect selection) {
        const QImage out = CropPicture(from, selection);
        ASSERT_EQ(out.size(), selection.size());
        EXPECT_EQ(out.format(), from.format());
        for (int y = 0; y < out.height(); ++y) {
            for (int x = 0; x < out.width(); ++x) {
                const QPoint at = selection.topLeft() + QPoint(x, y);
                const QRgb want = from.rect().contains(at) ? from.pixel(at) : qRgb(0, 0, 0);
                ASSERT_EQ(out.pixel(x, y), want) << x << "," << y;
            }
        }
    };
    expectCrop(source, QRect(2, 1, 5, 4));
    expectCrop(source, QRect(-3, -2, 8, 6));
    expectCrop(source, QRect(6, 5, 9, 9));
    expectCrop(source, QRect(-4, -4, 20, 20));
    expectCrop(source, QRect(20, 20, 5, 5));
    expectCrop(source.convertToFormat(QImage::Format_RGB888), QRect(-3, 4, 9, 9));
    expectCrop(source.convertToFormat(QImage::Format_ARGB32), QRect(5, -1, 9, 4));
    QImage indexed = source.convertToFormat(QImage::Format_Indexed8);
    indexed.setColor(0, qRgb(0, 0, 0));
    expectCrop(indexed, QRect(-2, 3, 6, 6));
    expectCrop(QImage(source.convertToFormat(QImage::Format_Mono)), QRect(-1, -1, 12, 3));

    // A press and release at one point selects nothing: an empty picture.
    EXPECT_TRUE(CropPicture(source, QRect(4, 4, 0, 0)).isNull());
    EXPECT_TRUE(CropPicture(source, QRect(4, 4, 5, 0)).isNull());
}
