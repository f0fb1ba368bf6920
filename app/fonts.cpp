// fonts.cpp: font substitution and cell-sized fonts.
#include "app/fonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace vennaloop {

void InstallFontSubstitutions() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  // IPA's proportional Mincho is the nearest to a proportional Mincho; URW's C059 is a Century
  // Schoolbook design; IPA's proportional Gothic stands in for the UI Gothic. The dialog font
  // takes a plain sans, with the Gothic behind it for the Japanese lines.
  QFont::insertSubstitutions(QString::fromUtf8(kFaceMincho), {"IPAPMincho", "IPAMincho"});
  QFont::insertSubstitutions(kFaceCentury, {"C059", "Century Schoolbook L", "DejaVu Serif"});
  QFont::insertSubstitutions(kFaceUiGothic, {"IPAPGothic", "IPAGothic"});
  for (const char* face : {kFaceShellDlg, kFaceShellDlg2})
    QFont::insertSubstitutions(face, {"DejaVu Sans", "IPAPGothic"});
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
