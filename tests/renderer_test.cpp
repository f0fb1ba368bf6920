// Tests of the maze picture: the unfolding of the glued grid, the palette, the layout of the
// cells in the client area with its clipped edges and uncovered pixels, and the pixel buffer.
#include "view/renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <random>
#include <vector>

#include "asan_allocator_options.h"
#include "reference_renderer.h"
#include "view/cell_palette.h"
#include "view/pixel_buffer.h"

namespace vennaloop {
namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override { Restore(); }
  void TearDown() override { Restore(); }
  static void Restore() {
    std::fill(std::begin(CellMap), std::end(CellMap), 0);
    ResetCellPalette();
  }

  // The grid cell drawn at every pixel, or -1 where nothing was drawn. The picture is rendered
  // twice through an identity palette: once from a map holding each cell's row, once its column.
  static std::vector<int> CellPicture(int width, int height, int zoom) {
    for (int k = 0; k < 256; ++k)
      CellPalette[k] = k;
    PixelBuffer buffer;
    EXPECT_TRUE(buffer.Resize(width, height));
    const std::size_t n = static_cast<std::size_t>(width) * height;
    std::vector<int> picture(n, -1);
    for (int pass = 0; pass < 2; ++pass) {
      for (int v = 0; v < CELL_COUNT; ++v)
        CellMap[v] = pass == 0 ? RowOf(v) : ColumnOf(v);
      std::fill_n(buffer.Pixels(), n, kUntouched);
      RenderView(buffer, zoom);
      for (std::size_t k = 0; k < n; ++k) {
        const std::uint32_t v = buffer.Pixels()[k];
        if (pass == 0) {
          picture[k] = v == kUntouched ? -1 : static_cast<int>(v << 8);
        } else if ((v == kUntouched) != (picture[k] == -1)) {
          ADD_FAILURE() << "pixel " << k << " drawn in one pass only";
        } else if (v != kUntouched) {
          picture[k] |= static_cast<int>(v);
        }
      }
    }
    Restore();
    return picture;
  }
};

TEST_F(RendererTest, UnfoldCellExamplesAndSeamExceptions) {
  struct Case {
    int x, y, row, column;
  };
  const Case cases[] = {
      {0, -1, 255, 254},  {-1, 0, 254, 255}, {-1, -1, 255, 255},   {256, 10, 244, 0},
      {-256, 0, 254, 0},  {512, 512, 0, 0},  {255, -2, 0, 255},    {256, 255, 255, 254},
      {37, 200, 200, 37}, {-2, -2, 0, 0},    {511, 511, 255, 255}, {-257, -257, 255, 255},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnfoldCell(c.x, c.y), MakeCell(c.row, c.column)) << c.x << ", " << c.y;
  }
  // Every copy, two tiles out in each direction, follows the case table read plainly.
  for (int y = -600; y < 800; ++y) {
    for (int x = -600; x < 800; ++x)
      ASSERT_EQ(UnfoldCell(x, y), reference::Unfold(x, y)) << x << "," << y;
  }
}

TEST_F(RendererTest, PaletteTakesWallThenAlienThenPlayerThenGoal) {
  // Every flag byte, the bits no flag uses included, takes the colour of its first matching rule,
  // with the top byte 0xFF: a compositor that honours alpha shows nothing of a 0 there.
  for (int k = 0; k < 256; ++k) {
    EXPECT_EQ(CellPalette[k], reference::Colour(k)) << k;
    EXPECT_EQ(CellPalette[k] >> 24, 0xFFu) << k;
  }

  // Drawn: the walled goal room right after setup, an alien on the player, the player on the goal.
  CellMap[GOAL_ROOM] = CELL_WALL | CELL_GOAL | CELL_ALIEN;
  CellMap[START_ROOM] = CELL_PLAYER | CELL_ALIEN;
  CellMap[MakeCell(10, 20)] = CELL_PLAYER | CELL_GOAL;
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.Resize(256, 256));
  RenderView(buffer, 1);
  EXPECT_EQ(buffer.Pixels()[192 * 256 + 192], 0xFF008000u);
  EXPECT_EQ(buffer.Pixels()[64 * 256 + 64], 0xFFFF0000u);
  EXPECT_EQ(buffer.Pixels()[10 * 256 + 20], 0xFFC0FFFFu);
}

TEST_F(RendererTest, ClientOf256AtZoom1ShowsTheSquareExactly) {
  const std::vector<int> picture = CellPicture(256, 256, 1);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x)
      ASSERT_EQ(picture[y * 256 + x], MakeCell(y, x)) << x << "," << y;
  }
}

TEST_F(RendererTest, TouchingScreenCellsAreOneStepApartForManySizes) {
  const int widths[] = {1, 2, 3, 5, 8, 255, 256, 257, 513, 1100, 3200};
  const int heights[] = {1, 4, 7, 256, 517};
  for (int zoom = 1; zoom <= 3; ++zoom) {
    for (int w : widths) {
      for (int h : heights) {
        SCOPED_TRACE(testing::Message() << w << " x " << h << " zoom " << zoom);
        const std::vector<int> picture = CellPicture(w, h, zoom);
        // The centre cell is drawn over the centre pixel.
        ASSERT_EQ(picture[(h / 2) * w + w / 2], MakeCell(128, 128));
        // The cell shown by screen cell (i, j), read at the first pixel of its square that lies
        // inside the client area; -1 when the square lies wholly outside.
        const ViewLayout layout = ComputeViewLayout(w, h, zoom);
        auto shown = [&](int i, int j) {
          const PixelRect s = CellSquare(layout, i, j);
          const int x = std::max(s.left, 0);
          const int y = std::max(s.top, 0);
          return x < std::min(s.right, w) && y < std::min(s.bottom, h) ? picture[y * w + x] : -1;
        };
        const int a = layout.cells_left;
        const int b = layout.cells_above;
        for (int j = -b; j < b; ++j) {
          for (int i = -a; i < a; ++i) {
            const int here = shown(i, j);
            if (here < 0) continue;
            const Cell c = static_cast<Cell>(here);
            if (const int r = i + 1 < a ? shown(i + 1, j) : -1; r >= 0) {
              ASSERT_TRUE(r == StepRight(c) || r == StepLeft(c)) << i << "," << j;
            }
            if (const int d = j + 1 < b ? shown(i, j + 1) : -1; d >= 0) {
              ASSERT_TRUE(d == StepDown(c) || d == StepUp(c)) << i << "," << j;
            }
          }
        }
      }
    }
  }
}

TEST_F(RendererTest, UncoveredColumnsAndRowsAtZoom2And3FollowTheRemainder) {
  // Uncovered pixel columns at the right by W mod 2z (rows at the bottom likewise by H); a
  // one-pixel client is covered whole, its single cell starting left of it.
  const int zoom2[4] = {1, 2, 0, 1};
  const int zoom3[6] = {1, 2, 0, 0, 0, 1};
  auto left_over = [&](int size, int zoom) {
    if (size == 1) return 0;
    return zoom == 2 ? zoom2[size % 4] : zoom3[size % 6];
  };
  for (int zoom = 2; zoom <= 3; ++zoom) {
    for (int w = 1; w <= 13; ++w) {
      const int h = 14 - w;
      SCOPED_TRACE(testing::Message() << w << " x " << h << " zoom " << zoom);
      const std::vector<int> picture = CellPicture(w, h, zoom);
      const int covered_w = w - left_over(w, zoom);
      const int covered_h = h - left_over(h, zoom);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          ASSERT_EQ(picture[y * w + x] >= 0, x < covered_w && y < covered_h) << x << "," << y;
        }
      }
    }
  }
}

TEST_F(RendererTest, OuterRingIsClippedToTheClientArea) {
  // Zoom 3, 10 x 10: the ring cell at the left and top is cut to one pixel; the right and bottom
  // ring cells end exactly at the edge.
  const int column[10] = {126, 127, 127, 127, 128, 128, 128, 129, 129, 129};
  const std::vector<int> picture = CellPicture(10, 10, 3);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(picture[y * 10 + x], MakeCell(column[y], column[x]));
  }
  // A single pixel shows the centre cell at every zoom.
  for (int zoom = 1; zoom <= 3; ++zoom)
    EXPECT_EQ(CellPicture(1, 1, zoom)[0], MakeCell(128, 128));
}

TEST_F(RendererTest, MatchesThePlainPerPixelRulesOverRandomMapsAndSizes) {
  // Differs from run to run; replay a failure with --gtest_random_seed=<seed>.
  const unsigned seed = static_cast<unsigned>(testing::UnitTest::GetInstance()->random_seed());
  std::cout << "Random seed = " << seed << "\n";
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  auto below = [&](int n) { return static_cast<int>(random() % n); };
  // Every side a cell can have, the sides 1 to 3 of a plain screen most often.
  for (int round = 0; round < 48; ++round) {
    for (std::uint8_t& flags : CellMap)
      flags = below(4) == 0 ? below(256) : below(2);
    const bool tiny = below(3) == 0;
    const int w = 1 + (tiny ? below(12) : below(1700));
    const int h = 1 + (tiny ? below(12) : below(500));
    const int zoom = round < MAX_CELL_SIDE ? round + 1 : 1 + below(3);
    SCOPED_TRACE(testing::Message() << w << " x " << h << " side " << zoom);

    PixelBuffer buffer;
    ASSERT_TRUE(buffer.Resize(w, h));
    // Both start from the same noise, so pixels left alone must stay equal too.
    std::vector<std::uint32_t> expected(static_cast<std::size_t>(w) * h);
    for (std::uint32_t& p : expected)
      p = random();
    std::copy(expected.begin(), expected.end(), buffer.Pixels());
    reference::Render(expected, w, h, zoom);
    RenderView(buffer, zoom);
    for (int k = 0; k < w * h; ++k)
      ASSERT_EQ(buffer.Pixels()[k], expected[k]) << "pixel " << k;
  }
}

TEST_F(RendererTest, SideOutsideItsRangeIsClamped) {
  EXPECT_EQ(CellPicture(37, 21, 0), CellPicture(37, 21, 1));
  EXPECT_EQ(CellPicture(37, 21, -5), CellPicture(37, 21, 1));
  EXPECT_EQ(CellPicture(57, 41, MAX_CELL_SIDE + 1), CellPicture(57, 41, MAX_CELL_SIDE));
}

TEST(CellSideTest, ZoomInLogicalPixelsRoundedToWholeDevicePixels) {
  for (int zoom = MIN_ZOOM; zoom <= MAX_ZOOM; ++zoom) {
    EXPECT_EQ(CellSide(zoom, 1), zoom) << "a plain screen draws as it always did";
    EXPECT_EQ(CellSide(zoom, 2), 2 * zoom);
    EXPECT_EQ(CellSide(zoom, 3), 3 * zoom);
  }
  // Fractional scales round to the nearest whole pixel, halves up.
  EXPECT_EQ(CellSide(1, 1.25), 1);
  EXPECT_EQ(CellSide(2, 1.25), 3);
  EXPECT_EQ(CellSide(3, 1.25), 4);
  EXPECT_EQ(CellSide(1, 1.5), 2);
  EXPECT_EQ(CellSide(3, 1.5), 5);
  EXPECT_EQ(CellSide(1, 0.4), 1) << "never under a pixel";
  EXPECT_EQ(CellSide(3, 100), MAX_CELL_SIDE);
  // A zoom out of range is taken as the nearest, a ratio that is no ratio as 1.
  EXPECT_EQ(CellSide(0, 2), 2);
  EXPECT_EQ(CellSide(9, 1), 3);
  EXPECT_EQ(CellSide(2, 0), 2);
  EXPECT_EQ(CellSide(2, -3), 2);
  EXPECT_EQ(CellSide(2, std::numeric_limits<double>::quiet_NaN()), 2);
}

TEST(CellSideTest, TheGridsCentreStaysAtTheClientsCentreInLogicalPixels) {
  // The same window on screens of any scale: the centre cell's square is centred where the
  // plain screen has it, to within a logical pixel.
  for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
    for (const int width : {1, 2, 255, 640, 1203}) {
      for (int zoom = MIN_ZOOM; zoom <= MAX_ZOOM; ++zoom) {
        const int device = static_cast<int>(std::lround(width * ratio));
        const ViewLayout layout = ComputeViewLayout(device, device, CellSide(zoom, ratio));
        const PixelRect centre = CellSquare(layout, 0, 0);
        const double middle = (centre.left + centre.right) / 2.0 / ratio;
        EXPECT_NEAR(middle, width / 2.0, 1.0) << width << " at " << ratio << ", zoom " << zoom;
      }
    }
  }
}

TEST_F(RendererTest, CanvasByteOrderHoldsTheSameColours) {
  // The same picture in both layouts: every pixel's bytes are red, green, blue, alpha in one and
  // the word 0xAARRGGBB in the other, at a side compiled for and one taken at run time.
  std::mt19937 random(7);
  for (std::uint8_t& flags : CellMap)
    flags = static_cast<std::uint8_t>(random() % 16);
  for (const int side : {2, 5}) {
    PixelBuffer words, bytes(PixelFormat::Rgba8);
    ASSERT_TRUE(words.Resize(301, 77));
    ASSERT_TRUE(bytes.Resize(301, 77));
    EXPECT_EQ(bytes.Pixels()[0], PixelValue(PIXEL_OPEN, PixelFormat::Rgba8)) << "cleared";
    RenderView(words, side);
    RenderView(bytes, side);
    std::vector<Cell> cells;
    for (int k = 0; k < 500; ++k) {
      const auto cell = static_cast<Cell>(random() % CELL_COUNT);
      CellMap[cell] ^= CELL_ALIEN;
      cells.push_back(cell);
    }
    std::vector<PixelRect> drawn;
    RedrawCells(words, side, cells, drawn);
    RedrawCells(bytes, side, cells, drawn);
    for (int k = 0; k < 301 * 77; ++k) {
      const std::uint32_t argb = words.Pixels()[k];
      const auto* rgba = reinterpret_cast<const std::uint8_t*>(bytes.Pixels() + k);
      ASSERT_EQ(rgba[0], argb >> 16 & 0xFF) << "pixel " << k;
      ASSERT_EQ(rgba[1], argb >> 8 & 0xFF) << "pixel " << k;
      ASSERT_EQ(rgba[2], argb & 0xFF) << "pixel " << k;
      ASSERT_EQ(rgba[3], 0xFF) << "pixel " << k;
    }
  }
}

TEST(PixelBufferTest, NewBufferIsOpaqueBlackSoUncoveredPixelsNeverShowStaleMemory) {
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.Resize(7, 5));
  std::fill_n(buffer.Pixels(), 35, 0xABCDEFu);
  ASSERT_TRUE(buffer.Resize(5, 7));
  EXPECT_EQ(buffer.Width(), 5);
  EXPECT_EQ(buffer.Height(), 7);
  EXPECT_TRUE(std::all_of(buffer.Pixels(), buffer.Pixels() + 35,
                          [](auto p) { return p == reference::kCleared; }));

  // Zoom 2 at width 5 leaves the two rightmost columns to the cleared buffer.
  std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
  ResetCellPalette();
  RenderView(buffer, 2);
  std::fill(std::begin(CellMap), std::end(CellMap), 0);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(buffer.Pixels()[y * 5 + x], x < 3 && y < 6 ? 0xFF008000u : reference::kCleared)
          << x << "," << y;
    }
  }
}

// Resizes a 4 x 4 buffer to the given size, which must fail and leave no buffer.
void ExpectResizeLeavesNoBuffer(int width, int height) {
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.Resize(4, 4));
  EXPECT_FALSE(buffer.Resize(width, height)) << width << " x " << height;
  EXPECT_EQ(buffer.Pixels(), nullptr);
  EXPECT_EQ(buffer.Width(), 0);
  EXPECT_EQ(buffer.Height(), 0);
  RenderView(buffer, 2);  // nothing to draw into; must not touch anything
  PlotCell(buffer, PixelRect{0, 0, 3, 3}, 1);
}

TEST(PixelBufferTest, EmptySizeLeavesNoBuffer) {
  EXPECT_EQ(PixelBuffer().Pixels(), nullptr);
  ExpectResizeLeavesNoBuffer(0, 5);
  ExpectResizeLeavesNoBuffer(5, 0);
  ExpectResizeLeavesNoBuffer(-1, 5);
  ExpectResizeLeavesNoBuffer(5, -3);
  ExpectResizeLeavesNoBuffer(INT_MAX, INT_MAX);  // more bytes than an address space holds
}

TEST(PixelBufferTest, FailedAllocationLeavesNoBufferAndThrowsNothing) {
  // 2^60 pixels pass the size check but no allocator can supply them.
  ExpectResizeLeavesNoBuffer(1 << 30, 1 << 30);
}

}  // namespace
}  // namespace vennaloop
