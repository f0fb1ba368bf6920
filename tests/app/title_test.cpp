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
#include "face_names.h"
#include "qt_printers.h"
#include "title_picture.h"
#include "ui/faces.h"
#include "ui/title_layout.h"

namespace vennaloop {
namespace {

// ---- Fonts --------------------------------------------------------------------------------------

// The faces' English names, which stay the same in every locale.
TEST(FontTest, FaceNamesMapToInstalledFaces) {
  using apptest::EnglishFamily;
  EXPECT_EQ(EnglishFamily(QFont(QString::fromUtf8(FACE_MINCHO))), "IPAPMincho");
  EXPECT_TRUE(EnglishFamily(QFont(FACE_CENTURY)).startsWith("C059"))
      << EnglishFamily(QFont(FACE_CENTURY)).toStdString();
  EXPECT_EQ(EnglishFamily(QFont(FACE_UI_GOTHIC)), "IPAPGothic");
  EXPECT_EQ(EnglishFamily(QFont(FACE_SHELL_DLG)), "DejaVu Sans");
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

using apptest::BEHIND_TITLE;
using apptest::FindColour;
using apptest::PaintTitle;

// Where the letters stand is checked at every screen scale in the scaled-screen tests.
TEST(TitlePictureTest, NothingIsPaintedBehindTheLetters) {
  const QImage picture = PaintTitle(QSize(1204, 604));
  EXPECT_EQ(picture.pixel(22, 582), BEHIND_TITLE);
  EXPECT_EQ(picture.pixel(602, 22), BEHIND_TITLE);
  EXPECT_EQ(picture.pixel(22, 252), BEHIND_TITLE);
}
TEST(TitleNarrowTest, ANarrowWindowCutsTheTitleInsteadOfReflowingIt) {
  // Qt draws a large glyph the first time through another path than from its glyph cache,
  // a few pixels apart; compare two pictures that both come from the cache.
  PaintTitle(QSize(1204, 604));
  const QImage wide = PaintTitle(QSize(1204, 604));
  const QImage narrow = PaintTitle(QSize(700, 604));
  // The same letters at the same places, up to the narrow overlay's edge.
  const QRect keep(2, 2, 690, 598);
  EXPECT_EQ(narrow.copy(keep), wide.copy(keep));
  const QRectF red = FindColour(narrow, Qt::red, QRect(0, 0, 700, 604));
  EXPECT_EQ(red.right(), FindColour(wide, Qt::red, QRect(0, 0, 698, 604)).right());
}

}  // namespace
}  // namespace vennaloop
