// maze_shot_check.cpp: reads a screenshot of the whole desktop and says whether the maze's own
// colours fill a large rectangle of it, walls and open cells both present. Used by the Wayland
// test, where a picture the compositor takes as transparent leaves the game area empty.
//
//   maze_shot_check SCREENSHOT.png   exits 0 when the maze is there, 1 when not, 2 on a bad file
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>

namespace {

constexpr QRgb kOpen = 0x000000;
constexpr QRgb kWall = 0x008000;

// Every colour a cell is drawn in, opaque: the output of a compositor that drew the picture as
// transparent holds no colour at all there.
bool IsMazeColour(QRgb argb) {
  if (qAlpha(argb) != 0xFF) return false;
  switch (argb & 0xFFFFFF) {
    case kOpen:
    case kWall:
    case 0xFF0000:
    case 0xC0FFFF:
    case 0xFFFF00:
      return true;
    default:
      return false;
  }
}

struct Run {
  int left = 0;
  int right = 0;  // one past the last pixel
};

Run LongestMazeRun(const QImage& shot, int y) {
  Run best, current;
  const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
  for (int x = 0; x < shot.width(); ++x) {
    if (!IsMazeColour(row[x])) {
      current.left = x + 1;
      continue;
    }
    current.right = x + 1;
    if (current.right - current.left > best.right - best.left) best = current;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SCREENSHOT.png\n", argv[0]);
    return 2;
  }
  QImage shot(QString::fromLocal8Bit(argv[1]));
  if (shot.isNull()) {
    std::fprintf(stderr, "%s: not an image\n", argv[1]);
    return 2;
  }
  shot = shot.convertToFormat(QImage::Format_ARGB32);
  const int width = shot.width();
  const int height = shot.height();

  // The game area: the tallest band of rows each holding a maze-coloured run across at least
  // half the screen, narrowed to the columns all its runs share. The window's icon and the
  // desktop around the window never make such a band.
  int bestTop = 0, bestBottom = 0, bestLeft = 0, bestRight = 0;
  int top = 0, left = 0, right = width;
  for (int y = 0; y <= height; ++y) {
    const Run run = y < height ? LongestMazeRun(shot, y) : Run{};
    const bool wide = run.right - run.left >= width / 2;
    if (wide && top < y && std::min(right, run.right) - std::max(left, run.left) >= width / 2) {
      left = std::max(left, run.left);
      right = std::min(right, run.right);
    } else if (wide) {
      top = y;
      left = run.left;
      right = run.right;
    }
    if (wide && y + 1 - top > bestBottom - bestTop) {
      bestTop = top;
      bestBottom = y + 1;
      bestLeft = left;
      bestRight = right;
    }
    if (!wide) top = y + 1;
  }

  const long area = long{bestRight - bestLeft} * (bestBottom - bestTop);
  long open = 0, walls = 0;
  for (int y = bestTop; y < bestBottom; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    for (int x = bestLeft; x < bestRight; ++x) {
      open += row[x] == (0xFF000000 | kOpen);
      walls += row[x] == (0xFF000000 | kWall);
    }
  }
  const double openShare = area ? double(open) / area : 0;
  const double wallShare = area ? double(walls) / area : 0;
  std::printf("%s: %dx%d; maze-coloured area %dx%d at (%d, %d), %.1f%% walls, %.1f%% open\n",
              argv[1], width, height, bestRight - bestLeft, bestBottom - bestTop, bestLeft, bestTop,
              100 * wallShare, 100 * openShare);
  // A quarter of the pixels are pillars, always walls; a few seconds of growth open a few
  // percent of the cells.
  const bool filled = bestBottom - bestTop >= height / 2 && wallShare >= 0.25 && openShare >= 0.02;
  if (!filled) std::printf("the maze's colours do not fill a game area\n");
  return filled ? 0 : 1;
}
