// fonts.cpp: font substitution and cell-sized fonts.
#include "app/fonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>

#include "ui/faces.h"
#include "ui/font_fit.h"

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

QFont CellSizedFont(const QString& face, int cellHeight, int averageWidth, bool italic) {
  QFont font(face);
  font.setItalic(italic);
  font.setKerning(false);
  font.setPixelSize(FitPixelSize(cellHeight, [font](int pixelSize) mutable {
    font.setPixelSize(pixelSize);
    return QFontMetrics(font).height();  // ascent + descent, leading excluded
  }));
  if (averageWidth > 0)
    font.setStretch(StretchPercent(averageWidth, QFontMetricsF(font).averageCharWidth()));
  return font;
}

}  // namespace vennaloop
