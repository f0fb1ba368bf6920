// title_wnd.cpp: the title overlay's items and its painting.
#include "app/title_wnd.h"

#include <QPainter>

#include "app/app_info.h"
#include "app/fonts.h"

namespace vennaloop {

namespace {

struct TitleItemSpec {
  const char* text;
  int left, top, right, bottom;
  int fontHeight, fontWidth;
  bool italic;
  const char* face;
  std::uint32_t colorRef;
  std::uint32_t format;
};

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kRed = 0x000000FF;

// Laid out for a client area of about 1200 x 600; the rectangles do not follow the window.
const TitleItemSpec kTitleItems[CTitleWnd::kItemCount] = {
    {"君は射影平面をみたか", 100, 50, 300, 100, 40, 15, true, kFaceMincho, kWhite, 0x105},
    {"Vennaloop", 0, 100, 1200, 300, 140, 35, true, kFaceCentury, kRed, 0x105},
    {"～Vennaloop～", 0, 300, 1200, 400, 80, 30, false, kFaceMincho, kRed, 0x105},
    {kAuthorCredit, 700, 400, 1100, 450, 40, 10, true, kFaceCentury, kWhite, 0x105},
    {"You can at least kill time.", 600, 475, 1100, 525, 40, 10, true, kFaceCentury, kWhite, 0x105},
    {kCopyright, 500, 550, 1100, 600, 40, 10, false, kFaceCentury, kWhite, 0x10A},
};

// Qt keeps rendered glyphs below 64 device pixels in a cache; larger ones it fills as outlines
// on every draw, which for the title's big lines costs more than the whole maze picture.
constexpr int kLargestCachedGlyph = 64;

bool IsOutlineSized(const QFont& font, qreal ratio) {
  return font.pixelSize() * ratio >= kLargestCachedGlyph;
}

}  // namespace

int TextFlagsOf(std::uint32_t format) {
  int flags = Qt::AlignLeft;
  if (format & DT_CENTER)
    flags = Qt::AlignHCenter;
  else if (format & DT_RIGHT)
    flags = Qt::AlignRight;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
    flags |= Qt::AlignVCenter;
  else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
    flags |= Qt::AlignBottom;
  else
    flags |= Qt::AlignTop;
  if (format & DT_SINGLELINE) flags |= Qt::TextSingleLine;
  if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
  if (format & DT_NOCLIP) flags |= Qt::TextDontClip;
  return flags;
}

QColor ColorOfRef(std::uint32_t colorRef) {
  return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

CTitleWnd::CTitleWnd(QWidget* parent) : QFrame(parent) {
  InstallFontSubstitutions();
  for (int i = 0; i < kItemCount; ++i) {
    const TitleItemSpec& spec = kTitleItems[i];
    items_[i] = {
        CellSizedFont(QString::fromUtf8(spec.face), spec.fontHeight, spec.fontWidth, spec.italic),
        QRect(spec.left, spec.top, spec.right - spec.left, spec.bottom - spec.top),
        QString::fromUtf8(spec.text), ColorOfRef(spec.colorRef), TextFlagsOf(spec.format)};
  }
  // A sunken edge, and nothing painted behind the letters: the view's maze shows through.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setAutoFillBackground(false);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void CTitleWnd::PrepareLetters(QSize client, qreal ratio) {
  letters_ = QImage(client * ratio, QImage::Format_ARGB32_Premultiplied);
  letters_.setDevicePixelRatio(ratio);
  letters_.fill(Qt::transparent);
  letterArea_ = QRegion();
  QPainter painter(&letters_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const TitleItem& item : items_) {
    if (!IsOutlineSized(item.font, ratio)) continue;
    painter.setFont(item.font);
    painter.setPen(item.color);
    QRect drawn;
    painter.drawText(item.rect, item.flags, item.text, &drawn);
    // The text's box is made of advances: italic letters may lean out of it and antialiased
    // edges reach a pixel further, so the area keeps a wide margin.
    const int lean = item.font.pixelSize() / 2 + 2;
    letterArea_ += drawn.adjusted(-lean, -2, lean, 2);
  }
  letterArea_ &= QRect(QPoint(), client);
}

void CTitleWnd::paintEvent(QPaintEvent*) {
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
  for (const TitleItem& item : items_) {
    if (IsOutlineSized(item.font, ratio)) continue;
    painter.setFont(item.font);
    painter.setPen(item.color);
    painter.drawText(item.rect, item.flags, item.text);
  }
}

}  // namespace vennaloop
