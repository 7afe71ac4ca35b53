// pibo-edit's window without a screen: where the pointer is on the level, what the tools do to the
// document when the pointer presses, drags and lets go, the palette, and the command line.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "data/cell_codes.h"
#include "tools/level_editor/command_line.h"
#include "tools/level_editor/edit_tools.h"
#include "tools/level_editor/editor_session.h"
#include "tools/level_editor/level_canvas.h"
#include "tools/level_editor/palette.h"

namespace fs = std::filesystem;
using namespace level_editor;

namespace {

// A canvas 800 x 300 pixels at (100, 50) of the window, the level at half size: the whole level
// fills it exactly, each cell 25 x 10 pixels.
LevelCanvas HalfSizeCanvas() {
  LevelCanvas canvas;
  canvas.SetArea(CanvasRect{100, 50, 800, 300});
  canvas.ZoomAround(100, 50, 0.5f);
  return canvas;
}

// The window point in the middle of a cell.
struct Point {
  float x, y;
};
Point Middle(const LevelCanvas& canvas, CellPos cell) {
  const CanvasRect r = canvas.CellRect(cell);
  return Point{r.X + r.W / 2, r.Y + r.H / 2};
}

// A session on a set whose level 1 is empty, the canvas at half size.
struct EditSession : ::testing::Test {
  EditSession() {
    session.Canvas = HalfSizeCanvas();
    session.SelectLevel(1);
  }
  uint8_t Cell(int c, int r) const { return session.Doc().Levels().Cell(1, c, r); }
  int CountOf(uint8_t code) const {
    const auto slot = session.Doc().Levels().Slot(1);
    return static_cast<int>(std::count(slot.begin(), slot.end(), code));
  }
  void Press(CellPos cell, PointerButton button = PointerButton::Left, KeyMods mods = {}) {
    const Point p = Middle(session.Canvas, cell);
    session.PointerDown(p.x, p.y, button, mods);
  }
  void MoveTo(CellPos cell) {
    const Point p = Middle(session.Canvas, cell);
    session.PointerMove(p.x, p.y);
  }
  void Release(CellPos cell, PointerButton button = PointerButton::Left) {
    const Point p = Middle(session.Canvas, cell);
    session.PointerUp(p.x, p.y, button);
  }
  EditorSession session;
};

}  // namespace

// The pointer's cell at two zooms and scrolled: the corners of the level, the last pixel of a
// cell and the first of the next, and points beyond the level's edges, which are cells outside it.
TEST(EditCanvas, PointerToCellAtZoomsAndScrolls) {
  LevelCanvas canvas = HalfSizeCanvas();
  EXPECT_EQ(canvas.CellAt(100, 50), (CellPos{0, 0}));
  EXPECT_EQ(canvas.CellAt(124.9f, 59.9f), (CellPos{0, 0}));
  EXPECT_EQ(canvas.CellAt(125, 60), (CellPos{1, 1}));
  EXPECT_EQ(canvas.CellAt(899.9f, 349.9f), (CellPos{31, 29}));
  EXPECT_EQ(canvas.CellAt(99, 50), (CellPos{-1, 0}));
  CellPos cell;
  EXPECT_FALSE(canvas.CellUnder(900, 200, cell));  // right of the canvas
  EXPECT_TRUE(canvas.CellUnder(500, 200, cell));
  EXPECT_EQ(cell, (CellPos{16, 15}));

  // Twice the size, scrolled to the level's middle: the canvas shows 400 x 150 level pixels.
  canvas.ZoomAround(100, 50, 2);
  canvas.ScrollTo(600, 300);
  EXPECT_EQ(canvas.CellAt(100, 50), (CellPos{12, 15}));
  EXPECT_EQ(canvas.CellAt(199.9f, 89.9f), (CellPos{12, 15}));
  EXPECT_EQ(canvas.CellAt(200, 90), (CellPos{13, 16}));
  // Scrolling past the level's right and bottom edges stops at them.
  canvas.ScrollTo(5000, 5000);
  EXPECT_EQ(canvas.ScrollX(), 1600 - 400);
  EXPECT_EQ(canvas.ScrollY(), 600 - 150);
  EXPECT_EQ(canvas.CellAt(899.9f, 349.9f), (CellPos{31, 29}));
  // Each cell's rectangle holds the cell it is drawn for.
  for (CellPos c : {CellPos{24, 22}, CellPos{31, 29}, CellPos{28, 25}}) {
    const Point p = Middle(canvas, c);
    EXPECT_EQ(canvas.CellAt(p.x, p.y), c);
  }
}

// Zooming around the pointer keeps the level point under it; a level smaller than the canvas is
// centred; Fit shows the whole level; the steps go up and down through the list and stop at its
// ends.
TEST(EditCanvas, ZoomKeepsThePointUnderThePointerAndFitCentres) {
  LevelCanvas canvas = HalfSizeCanvas();
  canvas.ZoomAround(100, 50, 3);
  canvas.ScrollTo(700, 200);
  const float x = 350, y = 170;
  const float levelX = canvas.LevelX(x), levelY = canvas.LevelY(y);
  canvas.StepZoom(+1, x, y);
  EXPECT_EQ(canvas.Zoom(), 4);
  EXPECT_NEAR(canvas.LevelX(x), levelX, 0.01);
  EXPECT_NEAR(canvas.LevelY(y), levelY, 0.01);
  canvas.StepZoom(-1, x, y);
  canvas.StepZoom(-1, x, y);
  EXPECT_EQ(canvas.Zoom(), 2);
  EXPECT_NEAR(canvas.LevelX(x), levelX, 0.01);

  canvas.SetArea(CanvasRect{0, 0, 1000, 1000});
  canvas.Fit();
  EXPECT_LE(LEVEL_WIDTH * canvas.Zoom(), 1000);
  EXPECT_GT(LEVEL_WIDTH * canvas.Zoom(), 950);
  // The level, shorter than the canvas, lies in its middle.
  EXPECT_NEAR(canvas.WindowY(0) - 0, 1000 - canvas.WindowY(LEVEL_HEIGHT), 0.01);
  EXPECT_EQ(canvas.CellAt(500, 500), (CellPos{16, 15}));

  for (int i = 0; i < 30; ++i) canvas.StepZoom(+1);
  EXPECT_EQ(canvas.Zoom(), ZoomSteps().back());
  for (int i = 0; i < 30; ++i) canvas.StepZoom(-1);
  EXPECT_EQ(canvas.Zoom(), ZoomSteps().front());
}

// A fast drag: the pointer jumps across the level between two events, and every cell between
// is painted all the same, 8-connected, with no gap; the whole stroke is one undo step.
TEST_F(EditSession, ADragPaintsALineWithNoGapAndUndoesAsOne) {
  session.Tools.Choose(Tool::Pencil);
  session.Tools.SetCode(PLATFORM_ROCK);
  Press({2, 3});
  MoveTo({20, 9});
  MoveTo({22, 20});
  Release({22, 20});
  const std::vector<CellPos> first = LineCells({2, 3}, {20, 9});
  const std::vector<CellPos> second = LineCells({20, 9}, {22, 20});
  for (const CellPos& c : first) EXPECT_EQ(Cell(c.Col, c.Row), PLATFORM_ROCK) << c.Col << "," << c.Row;
  for (const CellPos& c : second) EXPECT_EQ(Cell(c.Col, c.Row), PLATFORM_ROCK) << c.Col << "," << c.Row;
  EXPECT_EQ(CountOf(PLATFORM_ROCK), static_cast<int>(first.size() + second.size() - 1));
  // Each painted cell touches the next, the line has no gap.
  for (size_t i = 1; i < first.size(); ++i) {
    EXPECT_LE(std::abs(first[i].Col - first[i - 1].Col), 1);
    EXPECT_LE(std::abs(first[i].Row - first[i - 1].Row), 1);
  }
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(CountOf(PLATFORM_ROCK), 0);
  EXPECT_FALSE(session.Doc().CanUndo());
}

// A drag that leaves the level and comes back paints the cells inside on both ways; the eraser
// paints NOTHING over what is there.
TEST_F(EditSession, ADragLeavingTheLevelAndTheEraser) {
  session.Tools.SetCode(PLATFORM_ICE);
  Press({1, 5});
  const Point outside{session.Canvas.Area().X - 40, Middle(session.Canvas, {0, 5}).y};
  session.PointerMove(outside.x, outside.y);
  MoveTo({0, 8});
  Release({0, 8});
  EXPECT_EQ(Cell(1, 5), PLATFORM_ICE);
  EXPECT_EQ(Cell(0, 5), PLATFORM_ICE);
  EXPECT_EQ(Cell(0, 8), PLATFORM_ICE);

  session.Tools.Choose(Tool::Eraser);
  Press({0, 5});
  MoveTo({1, 5});
  Release({1, 5});
  EXPECT_EQ(Cell(0, 5), NOTHING);
  EXPECT_EQ(Cell(1, 5), NOTHING);
  EXPECT_EQ(Cell(0, 8), PLATFORM_ICE);
  EXPECT_EQ(session.Tools.Code(), PLATFORM_ICE);  // the eraser leaves the chosen code alone
}

// The rectangle shows its cells while dragged and paints them on release: its outline, or filled;
// the line the same; Esc drops a rectangle being dragged; each is one undo step.
TEST_F(EditSession, RectangleAndLinePaintOnReleaseAndEscDropsThem) {
  session.Tools.Choose(Tool::Rectangle);
  session.Tools.SetCode(PLATFORM_WOOD);
  Press({4, 4});
  MoveTo({9, 8});
  EXPECT_EQ(session.Tools.Preview().size(), 18u);  // 6 x 5 outline
  EXPECT_EQ(CountOf(PLATFORM_WOOD), 0);             // nothing painted yet
  Release({9, 8});
  EXPECT_EQ(CountOf(PLATFORM_WOOD), 18);
  EXPECT_EQ(Cell(4, 4), PLATFORM_WOOD);
  EXPECT_EQ(Cell(9, 8), PLATFORM_WOOD);
  EXPECT_EQ(Cell(6, 6), NOTHING);  // the outline only

  session.Tools.bFilled = true;
  session.Tools.SetCode(GEM_NORMAL);
  Press({20, 20});
  MoveTo({22, 21});
  Release({22, 21});
  EXPECT_EQ(CountOf(GEM_NORMAL), 6);

  // Dropped with Esc: nothing painted, and the release that follows does nothing either.
  session.Tools.SetCode(PLATFORM_OIL);
  Press({0, 0});
  MoveTo({5, 5});
  session.CancelDrag();
  Release({5, 5});
  EXPECT_EQ(CountOf(PLATFORM_OIL), 0);

  // A line dragged beyond the level ends at its edge.
  session.Tools.Choose(Tool::Line);
  Press({28, 2});
  const CanvasRect area = session.Canvas.Area();
  session.PointerMove(area.X + area.W + 200, Middle(session.Canvas, {0, 2}).y);
  session.PointerUp(area.X + area.W + 200, Middle(session.Canvas, {0, 2}).y, PointerButton::Left);
  for (int c = 28; c < LEVEL_COLUMNS; ++c) EXPECT_EQ(Cell(c, 2), PLATFORM_OIL);

  ASSERT_TRUE(session.Undo());  // the line
  ASSERT_TRUE(session.Undo());  // the gems
  EXPECT_EQ(CountOf(GEM_NORMAL), 0);
  EXPECT_EQ(CountOf(PLATFORM_WOOD), 18);
  ASSERT_TRUE(session.Redo());
  EXPECT_EQ(CountOf(GEM_NORMAL), 6);
}

// Undo and redo show the level they change: a cell painted on level 1, then level 4 shown.
TEST_F(EditSession, UndoAndRedoShowTheLevelTheyChange) {
  Press({6, 6});
  Release({6, 6});
  session.SelectLevel(4);
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(session.Level(), 1);
  EXPECT_EQ(Cell(6, 6), NOTHING);
  session.SelectLevel(4);
  ASSERT_TRUE(session.Redo());
  EXPECT_EQ(session.Level(), 1);
  EXPECT_EQ(Cell(6, 6), PLATFORM_SAND);
}

// The fill floods the region of like cells it is clicked in, and stops at other codes.
TEST_F(EditSession, FillFloodsTheRegionUpToItsBorder) {
  session.Tools.Choose(Tool::Rectangle);
  session.Tools.SetCode(PLATFORM_ROCK);
  Press({10, 10});
  MoveTo({14, 14});
  Release({14, 14});
  session.Tools.Choose(Tool::Fill);
  session.Tools.SetCode(PLATFORM_SWAMP);
  Press({12, 12});
  Release({12, 12});
  EXPECT_EQ(CountOf(PLATFORM_SWAMP), 9);  // the 3 x 3 inside the box
  EXPECT_EQ(Cell(12, 12), PLATFORM_SWAMP);
  EXPECT_EQ(Cell(10, 10), PLATFORM_ROCK);
  EXPECT_EQ(Cell(15, 12), NOTHING);
  // Outside the box, the rest of the level.
  session.Tools.SetCode(PLATFORM_SAND);
  Press({0, 0});
  EXPECT_EQ(CountOf(PLATFORM_SAND), LEVEL_SLOT_SIZE - 16 - 9);
}

// The picker takes a cell's code and goes back to the tool before it; the right button and
// Alt+left pick whatever the tool; the middle button drags the view and paints nothing.
TEST_F(EditSession, PickerRightButtonAltClickAndMiddleDrag) {
  session.Tools.SetCode(PLATFORM_GOO);
  Press({3, 3});
  Release({3, 3});
  session.Tools.SetCode(PLATFORM_SAND);
  const uint64_t painted = session.Doc().Revision();

  session.Tools.Choose(Tool::Line);
  session.Tools.Choose(Tool::Picker);
  Press({3, 3});
  Release({3, 3});
  EXPECT_EQ(session.Tools.Code(), PLATFORM_GOO);
  EXPECT_EQ(session.Tools.Current(), Tool::Line);

  Press({7, 7}, PointerButton::Right);  // an empty cell
  EXPECT_EQ(session.Tools.Code(), NOTHING);
  Press({3, 3}, PointerButton::Left, KeyMods{false, false, true});
  EXPECT_EQ(session.Tools.Code(), PLATFORM_GOO);
  EXPECT_FALSE(session.Tools.Dragging());
  EXPECT_EQ(session.Doc().Revision(), painted);  // picking changes nothing

  session.Canvas.ZoomAround(100, 50, 2);
  const float before = session.Canvas.ScrollX();
  Press({5, 5}, PointerButton::Middle);
  const Point p = Middle(session.Canvas, {5, 5});
  session.PointerMove(p.x - 100, p.y);
  session.PointerUp(p.x - 100, p.y, PointerButton::Middle);
  EXPECT_NEAR(session.Canvas.ScrollX(), before + 50, 0.01);  // 100 window pixels at zoom 2
  EXPECT_EQ(session.Doc().Revision(), painted);
}

// A click of the play-test tool asks once to play from that cell, and changes nothing.
TEST_F(EditSession, PlayTestToolAsksToPlayFromTheCellClicked) {
  const uint64_t before = session.Doc().Revision();
  session.Tools.Choose(Tool::PlayTest);
  Press({6, 17});
  Release({6, 17});
  EXPECT_EQ(session.Tools.TakePlayRequest(), (CellPos{6, 17}));
  EXPECT_FALSE(session.Tools.TakePlayRequest());
  EXPECT_EQ(session.Doc().Revision(), before);
}

// Save As into a folder not yet there makes the level pack; opening it again brings the same
// level back. A damaged file is refused with its reason and the document stays as it was; a
// save that fails leaves the document unsaved and its files what they were.
TEST_F(EditSession, SaveAsAPackOpenItAgainAndRefusals) {
  const fs::path dir = fs::temp_directory_path() / ("pibo-edit-pack-" + std::to_string(getpid()));
  fs::remove_all(dir);
  session.Tools.SetCode(PLATFORM_GRASS);
  Press({7, 7});
  Release({7, 7});
  ASSERT_TRUE(session.Doc().Rename(1, "Meadow"));
  ASSERT_EQ(session.SaveAs(LevelFilesAt(dir / "pack")), "");
  EXPECT_TRUE(fs::exists(dir / "pack" / "Levels.dat"));
  EXPECT_TRUE(fs::exists(dir / "pack" / "LevelNames_zt.txt"));
  EXPECT_FALSE(session.Doc().Modified());
  ASSERT_TRUE(session.Files() && session.Files()->IsPack());

  EditorSession again;
  ASSERT_EQ(again.Open(LevelFilesAt(dir / "pack")), "");
  EXPECT_EQ(again.Doc().Levels().Cell(1, 7, 7), PLATFORM_GRASS);
  EXPECT_EQ(again.Doc().Names()[0], "Meadow");

  std::ofstream(dir / "short.dat", std::ios::binary) << "PIBO";
  const uint64_t revision = again.Doc().Revision();
  EXPECT_NE(again.Open(LevelFilesAt(dir / "short.dat")), "");
  EXPECT_NE(again.Message.find("Cannot open"), std::string::npos);
  EXPECT_EQ(again.Doc().Revision(), revision);
  EXPECT_EQ(again.Files()->PackFolder, dir / "pack");

  // A pack folder where a file stands cannot be made.
  Press({8, 8});
  Release({8, 8});
  EXPECT_NE(session.SaveAs(LevelFilesAt(dir / "short.dat" / "sub")), "");
  EXPECT_TRUE(session.Doc().Modified());
  EXPECT_EQ(session.Files()->PackFolder, dir / "pack");
  fs::remove_all(dir);
}

// The palette lists the 33 named codes in order with the game's picture of each; stepping
// through it wraps; a code with no name is named by its number.
TEST(EditPalette, NamedCodesTheirPicturesAndSteps) {
  const auto& all = PaletteEntries();
  ASSERT_EQ(all.size(), 33u);
  EXPECT_EQ(all.front().Code, PLATFORM_SAND);
  EXPECT_EQ(all.back().Code, NOTHING);
  const PaletteEntry* ice = FindPaletteEntry(PLATFORM_ICE);
  ASSERT_TRUE(ice && ice->Picture);
  EXPECT_EQ(*ice->Picture, PictureId::Platform);
  EXPECT_EQ(ice->Source, (Rect{50, 220, 100, 240}));
  EXPECT_EQ(*FindPaletteEntry(POWERUP_SKULL)->Picture, PictureId::Skull);
  EXPECT_EQ(*FindPaletteEntry(GEM_NORMAL)->Picture, PictureId::GemNormal);
  EXPECT_FALSE(FindPaletteEntry(GEM_VALUABLE)->Picture);  // inert in play: no picture
  EXPECT_EQ(FindPaletteEntry(40), nullptr);

  EXPECT_EQ(StepPaletteCode(PLATFORM_SPACE2, +1), POWERUP_HIGHJUMP);
  EXPECT_EQ(StepPaletteCode(POWERUP_HIGHJUMP, -1), PLATFORM_SPACE2);
  EXPECT_EQ(StepPaletteCode(NOTHING, +1), PLATFORM_SAND);
  EXPECT_EQ(StepPaletteCode(PLATFORM_SAND, -1), NOTHING);
  EXPECT_EQ(StepPaletteCode(40, +1), GEM_NORMAL);  // from a code with no name
  EXPECT_EQ(StepPaletteCode(40, -1), POWERUP_SHOOTEXPLODE);
  EXPECT_EQ(CodeCaption(PLATFORM_ROCK), "PLATFORM_ROCK (rock, 2)");
  EXPECT_EQ(CodeCaption(40), "code 40 (no name: empty in play)");
}

// The command line: the program folder's set by default, a level file with the names beside it
// (the extra set's for ..._e.dat) or given, a pack folder, and the words; wrong ones are refused.
TEST(EditCommandLine, FilesPacksAndWords) {
  const fs::path program = "/opt/pibo";
  EditorArgs a = ParseEditorArgs({}, program);
  EXPECT_TRUE(a.Error.empty());
  EXPECT_EQ(a.Files.LevelFile, program / "Levels.dat");
  EXPECT_EQ(a.Files.NamesFile, program / "LevelNames_zt.txt");
  EXPECT_FALSE(a.Files.IsPack());

  a = ParseEditorArgs({"/x/Levels_e.dat"}, program);
  EXPECT_EQ(a.Files.NamesFile, fs::path("/x/LevelNames_zt_e.txt"));
  a = ParseEditorArgs({"/x/mine.dat", "/y/names.txt", "--level", "7", "--report-checks", "r.txt"},
                      program);
  EXPECT_TRUE(a.Error.empty());
  EXPECT_EQ(a.Files.NamesFile, fs::path("/y/names.txt"));
  EXPECT_EQ(a.Level, 7);
  EXPECT_EQ(a.ReportFile, fs::path("r.txt"));

  const fs::path pack = fs::temp_directory_path();
  a = ParseEditorArgs({pack.string(), "--window", "1024x700"}, program);
  EXPECT_TRUE(a.Files.IsPack());
  EXPECT_EQ(a.Files.LevelFile, pack / "Levels.dat");
  EXPECT_EQ(a.Files.NamesFile, pack / "LevelNames_zt.txt");
  EXPECT_EQ(a.WindowWidth, 1024);
  EXPECT_EQ(a.WindowHeight, 700);
  // A folder that does not exist yet is a pack to be made; a missing .dat is a level file.
  EXPECT_TRUE(LevelFilesAt("/no/such/pack").IsPack());
  EXPECT_FALSE(LevelFilesAt("/no/such/Levels.dat").IsPack());

  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"a.dat", "b.txt", "c"}, {"--level", "32"}, {"--level"},
        {"--window", "100x100"}, {"--frobnicate"}, {"--report-checks"},
        {pack.string(), "names.txt"}})
    EXPECT_FALSE(ParseEditorArgs(wrong, program).Error.empty()) << wrong[0];
  EXPECT_TRUE(ParseEditorArgs({"--help"}, program).bHelp);
}
