// scaled_screen_test.cpp: the window on a screen of any device pixel ratio (run once plain and
// once with QT_SCALE_FACTOR=2): the maze is presented one buffer pixel per device pixel, the
// title keeps its layout and its letters, and the dialogs grow with their fonts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <cstdlib>

#include "app/about_dlg.h"
#include "app/child_view.h"
#include "app/dlg_next_stage.h"
#include "app/main_frame.h"
#include "app/title_wnd.h"
#include "app/vennaloop_app.h"
#include "qt_printers.h"
#include "view/pixel_buffer.h"

namespace vennaloop {
namespace {

// The ratio the test run was started for: VENNALOOP_EXPECT_RATIO, 1 when unset.
qreal ExpectedRatio() {
  const QByteArray value = qgetenv("VENNALOOP_EXPECT_RATIO");
  return value.isEmpty() ? 1.0 : value.toDouble();
}

TEST(ScaledScreenTest, TheScreenHasTheRatioTheRunAskedFor) {
  // Without this a scaled run that silently ran at ratio 1 would prove nothing.
  EXPECT_EQ(qApp->devicePixelRatio(), ExpectedRatio());
}

// ---- The maze
// ------------------------------------------------------------------------------------

TEST(ScaledScreenTest, TheMazeIsPresentedOneBufferPixelPerDevicePixel) {
  CMainFrame frame;
  frame.resize(420, 260);
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  CChildView* view = frame.view();
  view->StopTimer();
  view->CloseTitle();
  const qreal ratio = view->devicePixelRatioF();
  const QRect client = view->contentsRect();
  for (int zoom : {1, 2, 3}) {
    SCOPED_TRACE(testing::Message() << "zoom " << zoom << ", ratio " << ratio);
    view->game().zoom = zoom;
    const QPixmap shot = view->grab();
    const PixelBuffer& buffer = view->buffer();
    // The buffer covers the client area in device pixels...
    ASSERT_EQ(buffer.Width(), std::lround(client.width() * ratio));
    ASSERT_EQ(buffer.Height(), std::lround(client.height() * ratio));
    // ...and reaches the screen unscaled and unsmoothed: every device pixel is its buffer pixel,
    // so a cell stays a sharp square of zoom x zoom device pixels.
    const QImage picture = shot.toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin(std::lround(client.left() * ratio), std::lround(client.top() * ratio));
    int wrong = 0;
    for (int y = 0; y < buffer.Height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(origin.y() + y));
      for (int x = 0; x < buffer.Width(); ++x)
        if (row[origin.x() + x] != buffer.Pixels()[y * buffer.Width() + x]) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
  }
}

// ---- The title
// -----------------------------------------------------------------------------------

constexpr QRgb kBehind = qRgb(0x12, 0x34, 0x56);
constexpr int kEdge = 2;

// The overlay over a plain background, in device pixels of the screen's ratio.
QImage PaintTitleAtRatio(QSize size) {
  QWidget host;
  host.resize(size);
  CTitleWnd title(&host);
  title.setGeometry(QRect(QPoint(), size));
  title.show();
  const qreal ratio = title.devicePixelRatioF();
  QImage picture(size * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(kBehind);
  title.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
  return picture;
}

// The same six items drawn straight onto the background, each time, with no picture kept.
QImage DrawTitleDirectly(QSize size, qreal ratio) {
  QWidget host;
  CTitleWnd title(&host);
  QImage picture(size * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(kBehind);
  QPainter painter(&picture);
  painter.setClipRect(QRect(kEdge, kEdge, size.width() - 2 * kEdge, size.height() - 2 * kEdge));
  painter.translate(kEdge, kEdge);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (int i = 0; i < CTitleWnd::kItemCount; ++i) {
    const CTitleWnd::TitleItem& item = title.Item(i);
    painter.setFont(item.font);
    painter.setPen(item.color);
    painter.drawText(item.rect, item.flags, item.text);
  }
  return picture;
}

// The box, in logical pixels, of the device pixels near `colour` within the logical `area`.
QRectF FindColour(const QImage& picture, QColor colour, QRect area) {
  const qreal ratio = picture.devicePixelRatio();
  const QRect device = QRect(area.topLeft() * ratio, area.size() * ratio) & picture.rect();
  QRect box;
  for (int y = device.top(); y <= device.bottom(); ++y) {
    for (int x = device.left(); x <= device.right(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
              std::abs(c.blue() - colour.blue()) <
          60)
        box |= QRect(x, y, 1, 1);
    }
  }
  return QRectF(box.left() / ratio, box.top() / ratio, box.width() / ratio, box.height() / ratio);
}

TEST(ScaledScreenTest, TheTitleKeepsItsLayoutInLogicalPixels) {
  const QImage picture = PaintTitleAtRatio(QSize(1204, 604));
  ASSERT_EQ(picture.width(), std::lround(1204 * ExpectedRatio()));
  const QRectF title = FindColour(picture, Qt::red, QRect(0, 0, 1204, kEdge + 300));
  ASSERT_FALSE(title.isEmpty());
  EXPECT_GE(title.top(), kEdge + 100);
  EXPECT_LT(title.top(), kEdge + 100 + 45);
  EXPECT_NEAR(title.center().x(), kEdge + 600, 12);
  const QRectF copyright = FindColour(picture, Qt::white, QRect(kEdge + 500, kEdge + 550, 680, 50));
  ASSERT_FALSE(copyright.isEmpty());
  EXPECT_LE(copyright.right(), kEdge + 1100 + 1);
  EXPECT_GE(copyright.right(), kEdge + 1100 - 6);
}

TEST(ScaledScreenTest, TheKeptLettersMatchLettersDrawnAfresh) {
  // The overlay draws its letters once and shows that picture on every tick; no letter may be
  // cut short by the area it is shown through, and none may be blurred by scaling.
  const QSize size(1204, 604);
  PaintTitleAtRatio(size);  // large glyphs take another path the first time they are drawn
  const QImage kept = PaintTitleAtRatio(size);
  const QImage fresh = DrawTitleDirectly(size, kept.devicePixelRatio());
  ASSERT_EQ(kept.size(), fresh.size());
  int differing = 0;
  int worst = 0;
  // Inside the overlay's edge, which the test does not draw.
  const int edge = std::lround(kEdge * kept.devicePixelRatio());
  for (int y = edge; y < kept.height() - edge; ++y) {
    for (int x = edge; x < kept.width() - edge; ++x) {
      const QRgb a = kept.pixel(x, y);
      const QRgb b = fresh.pixel(x, y);
      const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
      worst = std::max(worst, d);
      if (d > 0) ++differing;
    }
  }
  EXPECT_EQ(differing, 0) << "worst channel difference " << worst;
}

// ---- Dialogs
// -----------------------------------------------------------------------------------------

TEST(ScaledScreenTest, TheAboutIconIsDrawnAtTheScreensResolution) {
  QApplication::setWindowIcon(ProgramIcon());
  CAboutDlg dialog;
  auto* icon = qobject_cast<QLabel*>(dialog.Controls()[0]);
  ASSERT_TRUE(icon);
  const QPixmap pixmap = icon->pixmap();
  // A picture of as many device pixels as the icon covers, so nothing scales it up.
  EXPECT_EQ(pixmap.devicePixelRatio(), ExpectedRatio());
  EXPECT_EQ(pixmap.width(), std::lround(pixmap.deviceIndependentSize().width() * ExpectedRatio()));
}

TEST(ScaledScreenTest, DialogTextsFitTheirControls) {
  // Controls are placed in dialog units of the dialog font's logical metrics, so they grow
  // with the text on any screen; a size taken from device pixels would cut the texts.
  CAboutDlg about;
  CDlgNextStage stage;
  stage.SetStageOutcome(2);
  for (TemplateDialog* dialog :
       {static_cast<TemplateDialog*>(&about), static_cast<TemplateDialog*>(&stage)}) {
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    for (QWidget* control : dialog->Controls()) {
      QString text;
      if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
      else if (auto* button = qobject_cast<QPushButton*>(control))
        text = button->text();
      if (text.isEmpty()) continue;
      EXPECT_LE(control->fontMetrics().horizontalAdvance(text), control->width())
          << text.toStdString();
      EXPECT_LE(control->fontMetrics().height(), control->height()) << text.toStdString();
      EXPECT_TRUE(dialog->rect().contains(control->geometry())) << text.toStdString();
    }
  }
}

}  // namespace
}  // namespace vennaloop
