// maze_shot_check.cpp: checks screenshots of the real program for the maze's own colours.
//
//   maze_shot_check SHOT.png
//       whether the maze's colours fill a large rectangle, walls and open cells both present:
//       the Wayland test's check, where a picture the compositor takes as transparent leaves
//       the game area empty; exits 0 when the maze is there, 1 when not
//   maze_shot_check --only-maze SHOT.png X Y WIDTH HEIGHT
//       a census of the rectangle, the game area: exits 0 when it holds the maze's five colours
//       and nothing else, 1 when any other colour is there (a stale pixel), 3 while the maze
//       has not yet grown (the title phase)
//   maze_shot_check --grab SHOT.png
//       the X display's whole screen as the server composes it, into a file
//
// Any mode exits 2 on a bad file or bad arguments.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

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

QImage Load(const char* path) {
  QImage shot(QString::fromLocal8Bit(path));
  if (shot.isNull()) std::fprintf(stderr, "%s: not an image\n", path);
  return shot.convertToFormat(QImage::Format_ARGB32);
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

int CheckFilled(const char* path) {
  const QImage shot = Load(path);
  if (shot.isNull()) return 2;
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
  std::printf("%s: %dx%d; maze-coloured area %dx%d at (%d, %d), %.1f%% walls, %.1f%% open\n", path,
              width, height, bestRight - bestLeft, bestBottom - bestTop, bestLeft, bestTop,
              100 * wallShare, 100 * openShare);
  // A quarter of the pixels are pillars, always walls; a few seconds of growth open a few
  // percent of the cells.
  const bool filled = bestBottom - bestTop >= height / 2 && wallShare >= 0.25 && openShare >= 0.02;
  if (!filled) std::printf("the maze's colours do not fill a game area\n");
  return filled ? 0 : 1;
}

int CheckOnlyMaze(const char* path, const QRect& area) {
  const QImage shot = Load(path);
  if (shot.isNull()) return 2;
  if (area.isEmpty() || !shot.rect().contains(area)) {
    std::fprintf(stderr, "%s: the game area is not inside the %dx%d screenshot\n", path,
                 shot.width(), shot.height());
    return 2;
  }
  std::map<QRgb, long> strays;  // colour to count
  QRect strayBounds;
  long open = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) {
      open += row[x] == (0xFF000000 | kOpen);
      if (IsMazeColour(row[x])) continue;
      ++strays[row[x]];
      strayBounds |= QRect(x, y, 1, 1);
    }
  }
  long stray = 0;
  for (const auto& [colour, count] : strays)
    stray += count;
  const double openShare = double(open) / (long{area.width()} * area.height());
  std::printf("%s: game area %dx%d at (%d, %d): %.2f%% open, %ld pixels of %zu other colours\n",
              path, area.width(), area.height(), area.left(), area.top(), 100 * openShare, stray,
              strays.size());
  // The title phase shows the first picture, where only the start room is open; once the maze
  // grows the title must be gone without a trace.
  if (openShare < 0.001) return 3;
  if (stray == 0) return 0;
  std::printf("stray pixels within (%d, %d)-(%d, %d); the commonest:", strayBounds.left(),
              strayBounds.top(), strayBounds.right(), strayBounds.bottom());
  std::multimap<long, QRgb, std::greater<>> byCount;
  for (const auto& [colour, count] : strays)
    byCount.emplace(count, colour);
  int shown = 0;
  for (auto it = byCount.begin(); it != byCount.end() && shown < 5; ++it, ++shown)
    std::printf(" #%06X x%ld", it->second & 0xFFFFFF, it->first);
  std::printf("\n");
  return 1;
}

int Grab(int argc, char** argv, const char* path) {
  // The X server's own picture of the screen: what a player sees, windows composed.
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 2;
  if (!screen->grabWindow(0).save(QString::fromLocal8Bit(path), "PNG")) {
    std::fprintf(stderr, "%s: could not be written\n", path);
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return CheckFilled(argv[1]);
  if (argc == 3 && std::strcmp(argv[1], "--grab") == 0) return Grab(argc, argv, argv[2]);
  if (argc == 7 && std::strcmp(argv[1], "--only-maze") == 0) {
    const QRect area(std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                     std::atoi(argv[6]));
    return CheckOnlyMaze(argv[2], area);
  }
  std::fprintf(stderr,
               "usage: %s SHOT.png | --only-maze SHOT.png X Y WIDTH HEIGHT | --grab SHOT.png\n",
               argv[0]);
  return 2;
}
