// title_test.cpp: the title overlay's fonts and picture: drawn from each rectangle's top edge, at
// fixed pixel positions, over whatever lies behind it.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "app/fonts.h"
#include "app/title_overlay.h"
#include "qt_printers.h"
#include "ui/faces.h"
#include "ui/title_layout.h"

namespace vennaloop {
namespace {

// ---- Fonts --------------------------------------------------------------------------------------

TEST(FontTest, FaceNamesMapToInstalledFaces) {
  EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(FACE_MINCHO))).family(), "IPAPMincho");
  EXPECT_TRUE(QFontInfo(QFont(FACE_CENTURY)).family().startsWith("C059"))
      << QFontInfo(QFont(FACE_CENTURY)).family().toStdString();
  EXPECT_EQ(QFontInfo(QFont(FACE_UI_GOTHIC)).family(), "IPAPGothic");
  EXPECT_EQ(QFontInfo(QFont(FACE_SHELL_DLG)).family(), "DejaVu Sans");
}

TEST(FontTest, CellHeightAndAverageWidthAreMet) {
  // The title's own fonts.
  for (const TitleItem& item : TitleItems()) {
    const QFont font =
        CellSizedFont(QString::fromUtf8(item.face), item.fontHeight, item.fontWidth, item.italic);
    const QFontMetrics metrics(font);
    SCOPED_TRACE(testing::Message() << item.text);
    EXPECT_LE(metrics.height(), item.fontHeight);
    EXPECT_GE(metrics.height(), item.fontHeight * 95 / 100);
    EXPECT_NEAR(metrics.averageCharWidth(), item.fontWidth, 1);
    EXPECT_EQ(QFontInfo(font).italic(), item.italic);
  }
}

TEST(FontTest, ZeroWidthKeepsTheFacesProportions) {
  const QFont font = CellSizedFont(FACE_CENTURY, 40, 0, false);
  EXPECT_EQ(font.stretch(), QFont(FACE_CENTURY).stretch());
}

// ---- The picture --------------------------------------------------------------------------------

constexpr QRgb kBehind = qRgb(0x12, 0x34, 0x56);

// The overlay over a plain background, as a picture of the given size.
QImage PaintTitle(int width, int height) {
  QWidget host;
  host.resize(width, height);
  TitleOverlay title(&host);
  title.setGeometry(0, 0, width, height);
  title.show();
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(kBehind);
  title.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
  return picture;
}

// The bounding box of the pixels near `colour` within `area`.
QRect FindColour(const QImage& picture, QColor colour, QRect area) {
  QRect box;
  area &= picture.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
              std::abs(c.blue() - colour.blue()) <
          60)
        box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

class TitlePictureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { picture_ = new QImage(PaintTitle(1204, 604)); }
  static void TearDownTestSuite() { delete picture_; }
  static QImage* picture_;
  static constexpr int kEdge = 2;  // the sunken edge insets the client area
};
QImage* TitlePictureTest::picture_ = nullptr;

TEST_F(TitlePictureTest, TheBigTitleStartsAtItsRectanglesTopEdgeCentredOnSixHundred) {
  const QRect red = FindColour(*picture_, Qt::red, QRect(0, 0, 1204, kEdge + 300));
  ASSERT_FALSE(red.isEmpty());
  EXPECT_GE(red.top(), kEdge + 100);
  EXPECT_LT(red.top(), kEdge + 100 + 45) << "drawn from the top, not centred in 100..300";
  EXPECT_LT(red.bottom(), kEdge + 100 + 140);
  EXPECT_NEAR(red.center().x(), kEdge + 600, 12);
}

TEST_F(TitlePictureTest, TheSubtitleStartsAtThreeHundred) {
  const QRect red = FindColour(*picture_, Qt::red, QRect(0, kEdge + 300, 1204, 100));
  ASSERT_FALSE(red.isEmpty());
  EXPECT_LT(red.top(), kEdge + 300 + 30);
  EXPECT_LT(red.bottom(), kEdge + 300 + 80);
  EXPECT_NEAR(red.center().x(), kEdge + 600, 12);
}

TEST_F(TitlePictureTest, TheCopyrightEndsAtItsRightEdge) {
  const QRect white = FindColour(*picture_, Qt::white, QRect(kEdge + 500, kEdge + 550, 680, 50));
  ASSERT_FALSE(white.isEmpty());
  EXPECT_LE(white.right(), kEdge + 1100);
  EXPECT_GE(white.right(), kEdge + 1100 - 6);
  EXPECT_LT(white.top(), kEdge + 550 + 20);
}

TEST_F(TitlePictureTest, NothingIsPaintedBehindTheLetters) {
  EXPECT_EQ(picture_->pixel(kEdge + 20, kEdge + 580), kBehind);
  EXPECT_EQ(picture_->pixel(kEdge + 600, kEdge + 20), kBehind);
  EXPECT_EQ(picture_->pixel(kEdge + 20, kEdge + 250), kBehind);
}

TEST(TitleNarrowTest, ANarrowWindowCutsTheTitleInsteadOfReflowingIt) {
  // Qt draws a large glyph the first time through another path than from its glyph cache,
  // a few pixels apart; compare two pictures that both come from the cache.
  PaintTitle(1204, 604);
  const QImage wide = PaintTitle(1204, 604);
  const QImage narrow = PaintTitle(700, 604);
  // The same letters at the same places, up to the narrow overlay's edge.
  const QRect keep(2, 2, 690, 598);
  EXPECT_EQ(narrow.copy(keep), wide.copy(keep));
  const QRect red = FindColour(narrow, Qt::red, narrow.rect());
  EXPECT_EQ(red.right(), FindColour(wide, Qt::red, QRect(0, 0, 698, 604)).right());
}

}  // namespace
}  // namespace vennaloop
