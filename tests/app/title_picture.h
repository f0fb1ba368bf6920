// title_picture.h: the title overlay painted over a plain background at the screen's device
// pixel ratio, and where a colour shows in such a picture.
#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>
#include <cstdlib>

#include "app/title_overlay.h"

namespace vennaloop::apptest {

/// The background the overlay is painted over.
inline constexpr QRgb BEHIND_TITLE = qRgb(0x12, 0x34, 0x56);

/// The overlay of the given logical size over BEHIND_TITLE, in device pixels.
inline QImage PaintTitle(QSize size) {
  QWidget host;
  host.resize(size);
  TitleOverlay title(&host);
  title.setGeometry(QRect(QPoint(), size));
  title.show();
  const qreal ratio = title.devicePixelRatioF();
  QImage picture(size * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(BEHIND_TITLE);
  title.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
  return picture;
}

/// The box, in logical pixels, of the device pixels near `colour` within the logical `area`.
inline QRectF FindColour(const QImage& picture, QColor colour, QRect area) {
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

}  // namespace vennaloop::apptest
