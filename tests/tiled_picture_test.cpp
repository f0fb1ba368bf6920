// tiled_picture_test.cpp: the view kept as one tile of the repeating picture: the tile's size
// and place, the copies that rebuild the view from it, whole or where it changed, and a view
// followed through play, resizes and new sides as a canvas that takes only what the updates say.
#include "view/tiled_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include "view/cell_palette.h"
#include "world/cell_changes.h"

namespace vennaloop {
namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

// A map of walls, open cells, aliens and players, so that neighbours differ in colour.
void RandomMap(unsigned seed) {
  std::mt19937 random(seed);
  const std::uint8_t kinds[] = {0, CELL_WALL, CELL_ALIEN, CELL_PLAYER};
  for (std::uint8_t& flags : CellMap)
    flags = kinds[random() % 4];
  ResetCellPalette();
}

// What a view shows: a full render into a new (black) buffer.
std::vector<std::uint32_t> FullView(int width, int height, int side) {
  PixelBuffer buffer(PixelFormat::Rgba8);
  EXPECT_TRUE(buffer.Resize(width, height));
  RenderView(buffer, side);
  return {buffer.Pixels(), buffer.Pixels() + static_cast<std::size_t>(width) * height};
}

// Does what a canvas does with the copies: `hits` counts the writes to each view pixel.
void Copy(const std::uint32_t* tile, int tile_width, std::span<const TileCopy> copies,
          std::vector<std::uint32_t>& view, int view_width, std::vector<int>* hits = nullptr) {
  for (const TileCopy& copy : copies) {
    const PixelRect& s = copy.source;
    for (int v = s.top; v < s.bottom; ++v) {
      for (int u = s.left; u < s.right; ++u) {
        const std::size_t at =
            static_cast<std::size_t>(copy.top + v - s.top) * view_width + (copy.left + u - s.left);
        view.at(at) = tile[static_cast<std::size_t>(v) * tile_width + u];
        if (hits) ++hits->at(at);
      }
    }
  }
}

struct Size {
  int width;
  int height;
  int side;
};

TEST(TileLayoutTest, APeriodAndACellOrTheViewWhereItIsSmaller) {
  struct Case {
    Size view;
    int width, height;
    bool is_view;
  };
  const Case cases[] = {
      {{300, 200, 1}, 300, 200, true},      {{513, 513, 1}, 513, 513, true},
      {{514, 200, 1}, 513, 200, false},     {{3840, 2160, 1}, 513, 513, false},
      {{3840, 2160, 6}, 3078, 2160, false}, {{1920, 1080, 12}, 1920, 1080, true},
      {{700, 5000, 3}, 700, 1539, false},   {{1920, 1080, 40}, 1920, 1080, true},
      {{3840, 2160, -3}, 513, 513, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.view.width << " x " << c.view.height << " side " << c.view.side);
    const TileLayout tile = ComputeTileLayout(c.view.width, c.view.height, c.view.side);
    EXPECT_EQ(tile.width, c.width);
    EXPECT_EQ(tile.height, c.height);
    EXPECT_EQ(tile.is_view, c.is_view);
    EXPECT_EQ(tile.period, PICTURE_PERIOD_CELLS * std::clamp(c.view.side, 1, MAX_CELL_SIDE));
    EXPECT_TRUE(tile.first_left > -tile.period && tile.first_left <= 0);
    EXPECT_TRUE(tile.first_top > -tile.period && tile.first_top <= 0);
  }
  const TileLayout none = ComputeTileLayout(0, 100, 1);
  EXPECT_EQ(none.width * none.height, 0);
}

TEST(TileCopiesTest, WholeCopiesRebuildEveryCoveredPixelOnceAndNothingElse) {
  RandomMap(11);
  const Size sizes[] = {{514, 200, 1},   {1025, 1100, 1}, {3840, 2160, 1}, {1920, 1080, 2},
                        {1030, 1031, 2}, {1600, 1500, 3}, {3840, 2160, 5}, {250, 4000, 4}};
  for (const Size& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.width << " x " << size.height << " side " << size.side);
    const TileLayout layout = ComputeTileLayout(size.width, size.height, size.side);
    ASSERT_FALSE(layout.is_view);
    // The tile drawn as a view of its own size; pixels no cell covers keep the mark.
    PixelBuffer tile(PixelFormat::Rgba8);
    ASSERT_TRUE(tile.Resize(layout.width, layout.height));
    std::fill_n(tile.Pixels(), layout.width * layout.height, kUntouched);
    RenderView(tile, size.side);
    std::vector<TileCopy> copies;
    AppendTileCopies(layout, PixelRect{0, 0, layout.width, layout.height}, copies);

    const std::size_t n = static_cast<std::size_t>(size.width) * size.height;
    std::vector<std::uint32_t> view(n, kUntouched);
    std::vector<int> hits(n, 0);
    Copy(tile.Pixels(), layout.width, copies, view, size.width, &hits);
    const std::vector<std::uint32_t> want = FullView(size.width, size.height, size.side);
    int wrong = 0, twice = 0, stray = 0;
    for (std::size_t k = 0; k < n; ++k) {
      const bool covered = static_cast<int>(k % size.width) < layout.covered_right &&
                           static_cast<int>(k / size.width) < layout.covered_bottom;
      if (!covered) {
        stray += hits[k] != 0;
        continue;
      }
      wrong += view[k] != want[k];
      twice += hits[k] != 1;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(twice, 0);
    EXPECT_EQ(stray, 0);
    for (const TileCopy& copy : copies) {
      EXPECT_TRUE(copy.source.right <= layout.period && copy.source.bottom <= layout.period);
    }
  }
}

TEST(TileCopiesTest, CopiesOfAChangeReachTheViewPixelsOfThoseTilePixelsAlone) {
  const Size sizes[] = {{1500, 1100, 1}, {2100, 1700, 2}};
  const PixelRect changes[] = {{0, 0, 1, 1},       {100, 200, 103, 201}, {510, 0, 513, 513},
                               {0, 511, 513, 513}, {300, 40, 1024, 90},  {1023, 1023, 1026, 1026},
                               {5, 5, 5, 9}};
  for (const Size& size : sizes) {
    const TileLayout layout = ComputeTileLayout(size.width, size.height, size.side);
    // Which tile pixel each view pixel takes when the whole tile is copied: its index.
    std::vector<std::uint32_t> index(static_cast<std::size_t>(layout.width) * layout.height);
    for (std::size_t k = 0; k < index.size(); ++k)
      index[k] = static_cast<std::uint32_t>(k);
    std::vector<TileCopy> whole;
    AppendTileCopies(layout, PixelRect{0, 0, layout.width, layout.height}, whole);
    const std::size_t n = static_cast<std::size_t>(size.width) * size.height;
    std::vector<std::uint32_t> source(n, kUntouched);
    Copy(index.data(), layout.width, whole, source, size.width);
    for (const PixelRect& changed : changes) {
      SCOPED_TRACE(testing::Message() << size.width << " x " << size.height << " side " << size.side
                                      << ", changed " << changed.left << "," << changed.top
                                      << " to " << changed.right << "," << changed.bottom);
      std::vector<TileCopy> copies;
      AppendTileCopies(layout, changed, copies);
      std::vector<std::uint32_t> view(n, kUntouched);
      std::vector<int> hits(n, 0);
      Copy(index.data(), layout.width, copies, view, size.width, &hits);
      int missed = 0, extra = 0, twice = 0;
      for (std::size_t k = 0; k < n; ++k) {
        const bool inside = source[k] != kUntouched &&
                            static_cast<int>(source[k] % layout.width) >= changed.left &&
                            static_cast<int>(source[k] % layout.width) < changed.right &&
                            static_cast<int>(source[k] / layout.width) >= changed.top &&
                            static_cast<int>(source[k] / layout.width) < changed.bottom;
        missed += inside && view[k] != source[k];
        extra += !inside && hits[k] != 0;
        twice += hits[k] > 1;
      }
      EXPECT_EQ(missed, 0);
      EXPECT_EQ(extra, 0);
      EXPECT_EQ(twice, 0);
    }
  }
}

TEST(TileCopiesTest, NoneWhenTheTileIsTheView) {
  std::vector<TileCopy> copies;
  AppendTileCopies(ComputeTileLayout(500, 400, 1), PixelRect{0, 0, 500, 400}, copies);
  AppendTileCopies(ComputeTileLayout(3840, 2160, 8), PixelRect{0, 0, 3840, 2160}, copies);
  EXPECT_TRUE(copies.empty());
}

class TiledPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RandomMap(5);
    CellChangeSet gone;
    TakeCellChanges(gone);
  }
  void TearDown() override {
    std::fill(std::begin(CellMap), std::end(CellMap), 0);
    ResetCellPalette();
  }

  // The page's side: a canvas for the tile (the view's own when the tile is the view) and the
  // view's, each taking only what the update says.
  void Show(const TiledUpdate& update) {
    const PixelBuffer& tile = picture.Tile();
    const TileLayout& layout = picture.Layout();
    const std::size_t tile_pixels = static_cast<std::size_t>(tile.Width()) * tile.Height();
    std::vector<std::uint32_t>& target = layout.is_view ? view : tileCanvas;
    if (update.full) {
      target.assign(tile.Pixels(), tile.Pixels() + tile_pixels);
    } else {
      for (const PixelRect& square : update.drawn) {
        const std::uint32_t colour =
            tile.Pixels()[static_cast<std::size_t>(square.top) * tile.Width() + square.left];
        for (int y = square.top; y < square.bottom; ++y)
          std::fill_n(&target.at(static_cast<std::size_t>(y) * tile.Width() + square.left),
                      square.right - square.left, colour);
      }
    }
    if (layout.is_view) return;
    Copy(tileCanvas.data(), tile.Width(), update.copies, view, width);
    for (const PixelRect& strip : update.uncovered) {
      for (int y = strip.top; y < strip.bottom; ++y) {
        const auto row = view.begin() + static_cast<std::ptrdiff_t>(y) * width;
        std::fill(row + strip.left, row + strip.right, PixelValue(PIXEL_OPEN, PixelFormat::Rgba8));
      }
    }
  }

  void ResizeView(int w, int h, int side) {
    width = w;
    height = h;
    view.assign(static_cast<std::size_t>(w) * h, kUntouched);  // a canvas resized is cleared
    ASSERT_TRUE(picture.Resize(w, h, side));
  }

  void ExpectFullView(int side) {
    const std::vector<std::uint32_t> want = FullView(width, height, side);
    const auto [ours, theirs] = std::mismatch(view.begin(), view.end(), want.begin());
    EXPECT_TRUE(ours == view.end()) << "first wrong pixel " << (ours - view.begin()) % width << ", "
                                    << (ours - view.begin()) / width;
  }

  TiledPicture picture{PixelFormat::Rgba8};
  std::vector<std::uint32_t> view, tileCanvas;
  int width = 0, height = 0;
};

TEST_F(TiledPictureTest, KeepsTheViewAsAFullRenderDrawsItThroughChangesSidesAndSizes) {
  struct Step {
    Size view;  ///< a new view size first, where its width is not 0
    int side;
    int changed;  ///< random cells changed before the update
  };
  const Step steps[] = {
      {{3840, 2160, 1}, 1, 0},
      {{}, 1, 40},
      {{}, 1, 200},
      {{}, 2, 0},
      {{}, 2, 30},
      {{}, 3, 10},
      {{1100, 700, 3}, 3, 0},
      {{}, 3, 25},
      {{}, 1, 25},
      {{}, 7, 12},
      {{800, 600, 1}, 1, 0},
      {{}, 1, 50},
  };
  std::mt19937 random(3);
  const std::uint8_t flags[] = {CELL_WALL, CELL_ALIEN, CELL_PLAYER, CELL_GOAL};
  int side = 0;
  for (const Step& step : steps) {
    const bool anew = step.view.width != 0 || step.side != side;
    side = step.side;
    if (step.view.width) ResizeView(step.view.width, step.view.height, step.view.side);
    SCOPED_TRACE(testing::Message() << width << " x " << height << " side " << step.side << ", "
                                    << step.changed << " cells changed");
    for (int k = 0; k < step.changed; ++k) {
      const Cell cell = static_cast<Cell>(random());
      const std::uint8_t flag = flags[random() % 4];
      CellMap[cell] & flag ? ClearCellFlags(cell, flag) : SetCellFlags(cell, flag);
    }
    const TiledUpdate update = picture.Update(step.side);
    EXPECT_EQ(update.full, anew) << "a new size or side draws everything, and only they do";
    Show(update);
    ExpectFullView(step.side);
  }
}

TEST_F(TiledPictureTest, AChangedCellIsDrawnAtItsFourCopiesInTheTile) {
  const Cell cell = MakeCell(100, 10);
  CellMap[cell] = 0;
  ResizeView(3840, 2160, 1);
  Show(picture.Update(1));
  // Away from the seams and the tile's last cell, a cell shows once in each quarter of a
  // period; the view itself shows it some 130 times.
  SetCellFlags(cell, CELL_WALL);
  const TiledUpdate update = picture.Update(1);
  EXPECT_FALSE(update.full);
  EXPECT_EQ(update.drawn.size(), 4u);
  const TileLayout& layout = picture.Layout();
  const auto places = [&](int first, int covered) {
    return (covered - first - 1) / layout.period + 1;
  };
  EXPECT_LE(update.copies.size(),
            static_cast<std::size_t>(places(layout.first_left, layout.covered_right) *
                                     places(layout.first_top, layout.covered_bottom)))
      << "one copy at most per place the tile repeats";
  Show(update);
  ExpectFullView(1);
}

}  // namespace
}  // namespace vennaloop
