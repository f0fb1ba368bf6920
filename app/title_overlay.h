// title_overlay.h: the title written over the first picture of the maze: the six items of the
// shared title layout on a transparent child of the game view, with a sunken edge.
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <vector>

namespace vennaloop {

class TitleOverlay : public QFrame {
 public:
  /// One item, ready to draw.
  struct Line {
    QFont font;
    QRect rect;  ///< pixels of the overlay's client area
    QString text;
    QColor colour;
    int flags;  ///< Qt text flags: from the rectangle's top, across by the item's alignment,
                ///< never clipped
  };

  /// Creates the six fonts once. The overlay starts hidden, passes the mouse through and takes
  /// no focus.
  explicit TitleOverlay(QWidget* parent);

  const std::vector<Line>& lines() const { return lines_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  /// Draws the letters of the large lines once into a transparent picture of the client area:
  /// they are filled as outlines, too slow to redo on every tick of the title phase.
  void PrepareLetters(QSize client, qreal ratio);

  std::vector<Line> lines_;
  QImage letters_;      ///< the large letters alone, in device pixels; null until painted
  QRegion letterArea_;  ///< where letters_ has any, in client pixels
};

}  // namespace vennaloop
