// fonts.cpp: font substitution and cell-sized fonts.
#include "app/fonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "ui/faces.h"

namespace vennaloop {

void InstallFontSubstitutions() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (const FaceStandIn& entry : FaceStandIns()) {
    QStringList standIns;
    for (const char* name : entry.standIns)
      if (name) standIns << QString::fromUtf8(name);
    QFont::insertSubstitutions(QString::fromUtf8(entry.face), standIns);
  }
}

namespace {

int CellHeightAt(QFont font, int pixelSize) {
  font.setPixelSize(pixelSize);
  return QFontMetrics(font).height();  // ascent + descent, leading excluded
}

}  // namespace

QFont CellSizedFont(const QString& face, int cellHeight, int averageWidth, bool italic) {
  QFont font(face);
  font.setItalic(italic);
  font.setKerning(false);
  cellHeight = std::max(cellHeight, 1);
  // A face's cell is larger than its em by a face-specific share: start from the proportion,
  // then walk to the largest em whose cell still fits.
  int pixelSize =
      std::max(1, cellHeight * cellHeight / std::max(1, CellHeightAt(font, cellHeight)));
  while (pixelSize > 1 && CellHeightAt(font, pixelSize) > cellHeight)
    --pixelSize;
  while (CellHeightAt(font, pixelSize + 1) <= cellHeight)
    ++pixelSize;
  font.setPixelSize(pixelSize);
  if (averageWidth > 0) {
    const qreal natural = QFontMetricsF(font).averageCharWidth();
    if (natural > 0) {
      const int stretch = static_cast<int>(std::lround(100.0 * averageWidth / natural));
      font.setStretch(std::clamp(stretch, 1, 4000));
    }
  }
  return font;
}

}  // namespace vennaloop
