// title_wnd.h: the title written over the first picture of the maze: six fixed lines, each with
// its own rectangle, font and colour, on a transparent child of the game view.
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <Qt>
#include <array>
#include <cstdint>

namespace vennaloop {

// Text drawing formats, with the values the title's items are written in.
inline constexpr std::uint32_t DT_CENTER = 0x001;
inline constexpr std::uint32_t DT_RIGHT = 0x002;
inline constexpr std::uint32_t DT_VCENTER = 0x004;
inline constexpr std::uint32_t DT_BOTTOM = 0x008;
inline constexpr std::uint32_t DT_WORDBREAK = 0x010;
inline constexpr std::uint32_t DT_SINGLELINE = 0x020;
inline constexpr std::uint32_t DT_NOCLIP = 0x100;

/// Qt's flags for a text format. The vertical flags count only on a single line, so a format
/// without DT_SINGLELINE draws from the rectangle's top edge.
int TextFlagsOf(std::uint32_t format);

/// A colour value 0x00BBGGRR as a QColor.
QColor ColorOfRef(std::uint32_t colorRef);

class CTitleWnd : public QFrame {
 public:
  struct TitleItem {
    QFont font;
    QRect rect;  ///< pixels of the overlay's client area
    QString text;
    QColor color;
    int flags;  ///< Qt text flags
  };
  static constexpr int kItemCount = 6;

  /// Creates the six fonts once; the window starts hidden, passes the mouse through, and takes
  /// no focus.
  explicit CTitleWnd(QWidget* parent);

  const TitleItem& Item(int index) const { return items_[index]; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  /// Draws the letters of the large lines once into a transparent picture of the client area:
  /// they are filled as outlines, too slow to redo on every tick of the title phase.
  void PrepareLetters(QSize client, qreal ratio);

  std::array<TitleItem, kItemCount> items_;
  QImage letters_;      ///< the large letters alone, in device pixels; null until painted
  QRegion letterArea_;  ///< where letters_ has any, in client pixels
};

}  // namespace vennaloop
