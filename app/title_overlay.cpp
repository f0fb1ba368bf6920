// title_overlay.cpp: the title overlay's lines and its painting.
#include "app/title_overlay.h"

#include <QPainter>

#include "app/fonts.h"
#include "ui/title_layout.h"

namespace vennaloop {

namespace {

// Qt keeps rendered glyphs below 64 device pixels in a cache; larger ones it fills as outlines
// on every draw, which for the title's big lines costs more than the whole maze picture.
constexpr int LARGEST_CACHED_GLYPH = 64;

bool IsOutlineSized(const QFont& font, qreal ratio) {
  return font.pixelSize() * ratio >= LARGEST_CACHED_GLYPH;
}

// The text starts at the rectangle's top edge and is never clipped to it.
int TextFlagsOf(TextAlign align) {
  const int across = align == TextAlign::Center  ? Qt::AlignHCenter
                     : align == TextAlign::Right ? Qt::AlignRight
                                                 : Qt::AlignLeft;
  return across | Qt::AlignTop | Qt::TextDontClip;
}

}  // namespace

TitleOverlay::TitleOverlay(QWidget* parent) : QFrame(parent) {
  InstallFontSubstitutions();
  for (const TitleItem& item : TitleItems()) {
    lines_.push_back(
        {CellSizedFont(QString::fromUtf8(item.face), item.fontHeight, item.fontWidth, item.italic),
         QRect(item.left, item.top, item.right - item.left, item.bottom - item.top),
         QString::fromUtf8(item.text), QColor::fromRgb(item.colour), TextFlagsOf(item.align)});
  }
  // A sunken edge, and nothing painted behind the letters: the view's maze shows through.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setAutoFillBackground(false);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void TitleOverlay::PrepareLetters(QSize client, qreal ratio) {
  letters_ = QImage(client * ratio, QImage::Format_ARGB32_Premultiplied);
  letters_.setDevicePixelRatio(ratio);
  letters_.fill(Qt::transparent);
  letterArea_ = QRegion();
  QPainter painter(&letters_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const Line& line : lines_) {
    if (!IsOutlineSized(line.font, ratio)) continue;
    painter.setFont(line.font);
    painter.setPen(line.colour);
    QRect drawn;
    painter.drawText(line.rect, line.flags, line.text, &drawn);
    // The text's box is made of advances: italic letters may lean out of it and antialiased
    // edges reach a pixel further, so the area keeps a wide margin.
    const int lean = line.font.pixelSize() / 2 + 2;
    letterArea_ += drawn.adjusted(-lean, -2, lean, 2);
  }
  letterArea_ &= QRect(QPoint(), client);
}

void TitleOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(&painter);
  const QRect client = contentsRect();
  if (client.isEmpty()) return;
  const qreal ratio = devicePixelRatioF();
  if (letters_.isNull() || letters_.deviceIndependentSize() != QSizeF(client.size()) ||
      letters_.devicePixelRatio() != ratio)
    PrepareLetters(client.size(), ratio);
  painter.setClipRect(client);
  painter.translate(client.topLeft());
  if (!letterArea_.isEmpty()) {
    painter.save();
    painter.setClipRegion(letterArea_, Qt::IntersectClip);
    painter.drawImage(QPoint(), letters_);
    painter.restore();
  }
  // Glyphs of ordinary size come from the toolkit's glyph cache, and drawn straight onto the
  // maze they keep the contrast that text gets on an opaque background.
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const Line& line : lines_) {
    if (IsOutlineSized(line.font, ratio)) continue;
    painter.setFont(line.font);
    painter.setPen(line.colour);
    painter.drawText(line.rect, line.flags, line.text);
  }
}

}  // namespace vennaloop
