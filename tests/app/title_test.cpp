// title_test.cpp: the title overlay's fonts, formats and picture: drawn from each rectangle's top
// edge, at fixed pixel positions, over whatever lies behind it.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "app/fonts.h"
#include "app/title_wnd.h"
#include "qt_printers.h"

namespace vennaloop {
namespace {

// ---- Formats and colours
// -------------------------------------------------------------------------

TEST(TitleFormatTest, WithoutSingleLineTheTextStartsAtTheTopEdge) {
  EXPECT_EQ(TextFlagsOf(0x105), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip);
  EXPECT_EQ(TextFlagsOf(0x10A), Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip);
  EXPECT_EQ(TextFlagsOf(DT_SINGLELINE | DT_VCENTER),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
  EXPECT_EQ(TextFlagsOf(DT_SINGLELINE | DT_BOTTOM | DT_RIGHT),
            Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine);
  EXPECT_EQ(TextFlagsOf(DT_WORDBREAK), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

TEST(TitleFormatTest, ColourValuesAreBlueGreenRed) {
  EXPECT_EQ(ColorOfRef(0x000000FF), QColor(255, 0, 0));
  EXPECT_EQ(ColorOfRef(0x00FFFFFF), QColor(255, 255, 255));
  EXPECT_EQ(ColorOfRef(0x00123456), QColor(0x56, 0x34, 0x12));
}

// ---- Fonts
// ---------------------------------------------------------------------------------------

TEST(FontTest, FaceNamesMapToInstalledFaces) {
  EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(kFaceMincho))).family(), "IPAPMincho");
  EXPECT_TRUE(QFontInfo(QFont(kFaceCentury)).family().startsWith("C059"))
      << QFontInfo(QFont(kFaceCentury)).family().toStdString();
  EXPECT_EQ(QFontInfo(QFont(kFaceUiGothic)).family(), "IPAPGothic");
  EXPECT_EQ(QFontInfo(QFont(kFaceShellDlg)).family(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(QFont(kFaceShellDlg2)).family(), "DejaVu Sans");
}

TEST(FontTest, CellHeightAndAverageWidthAreMet) {
  struct Case {
    const char* face;
    int height, width;
    bool italic;
  };
  // The title's own fonts.
  const Case cases[] = {{kFaceMincho, 40, 15, true},
                        {kFaceCentury, 140, 35, true},
                        {kFaceMincho, 80, 30, false},
                        {kFaceCentury, 40, 10, true},
                        {kFaceCentury, 40, 10, false}};
  for (const Case& c : cases) {
    const QFont font = CellSizedFont(QString::fromUtf8(c.face), c.height, c.width, c.italic);
    const QFontMetrics metrics(font);
    SCOPED_TRACE(testing::Message() << c.face << " " << c.height << "x" << c.width);
    EXPECT_LE(metrics.height(), c.height);
    EXPECT_GE(metrics.height(), c.height * 95 / 100);
    EXPECT_NEAR(metrics.averageCharWidth(), c.width, 1);
    EXPECT_EQ(QFontInfo(font).italic(), c.italic);
  }
}

TEST(FontTest, ZeroWidthKeepsTheFacesProportions) {
  const QFont font = CellSizedFont(kFaceCentury, 40, 0, false);
  EXPECT_EQ(font.stretch(), QFont(kFaceCentury).stretch());
}

// ---- The picture
// ---------------------------------------------------------------------------------

constexpr QRgb kBehind = qRgb(0x12, 0x34, 0x56);

// The overlay over a plain background, as a picture of the given size.
QImage PaintTitle(int width, int height) {
  QWidget host;
  host.resize(width, height);
  CTitleWnd title(&host);
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
