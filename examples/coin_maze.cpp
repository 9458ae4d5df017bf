// A small keyboard game: walk through the maze and pick up every coin. The arrow
// keys move, Q or Esc quits. Each move redraws the board in a batch, shown at once.
// With a file name as argument it plays a few moves of its own into an off-screen
// image and saves it there.
#include <korvi/graphics.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

using namespace korvi;

namespace {

constexpr int CELL = 32;
constexpr int ESC = 27;

struct Move {
  int key, dx, dy;
};
// The arrow keys (the code after KEY_PREFIX_EXTENDED) and where they go.
constexpr Move MOVES[] = {{KEY_UP, 0, -1}, {KEY_LEFT, -1, 0}, {KEY_DOWN, 0, 1}, {KEY_RIGHT, 1, 0}};
constexpr const char* HELP = "Arrow keys: move   Q: quit";

constexpr int ROWS = 11, COLUMNS = 15;

struct Game {
  // clang-format off
  std::string board[ROWS] = {
      "###############",
      "#@....#.......#",
      "#.##.#..###.#.#",
      "#.#o...#o..#..#",
      "#.#####.#.##.##",
      "#...o#..#...o.#",
      "###.##.##.#####",
      "#o.........#o.#",
      "#.####.####...#",
      "#......o.....##",
      "###############"};
  // clang-format on
  int x = 1, y = 1, moves = 0;
  int coins = count_coins();

  int count_coins() const {
    int count = 0;
    for (const std::string& row : board)
      count += static_cast<int>(std::count(row.begin(), row.end(), 'o'));
    return count;
  }

  // One step for a key of MOVES, unless a wall is in the way; a coin there is taken.
  void press(int key) {
    for (const Move& move : MOVES) {
      if (move.key != key && move.key != std::tolower(key)) continue;
      char& target = board[y + move.dy][x + move.dx];
      if (target == '#') return;
      if (target == 'o') --coins;
      board[y][x] = '.';
      target = '@';
      x += move.dx, y += move.dy, ++moves;
    }
  }
};

void draw(const Game& game) {
  set_bk_color(rgb(30, 30, 40));
  clear_device();
  for (int row = 0; row < ROWS; ++row)
    for (int column = 0; column < COLUMNS; ++column) {
      const int left = column * CELL, top = row * CELL;
      const char tile = game.board[row][column];
      if (tile == '#') {
        set_fill_style(rgb(70, 90, 160), FILL_SOLID);
        fill_bar(left, top, left + CELL - 2, top + CELL - 2);
      } else if (tile != '.') {  // a coin or the player
        const bool coin = tile == 'o';
        set_line_color(coin ? rgb(150, 110, 0) : rgb(20, 80, 20));
        set_fill_style(coin ? rgb(250, 200, 40) : rgb(90, 220, 90), FILL_SOLID);
        draw_circle(left + CELL / 2, top + CELL / 2, coin ? CELL / 4 : CELL / 2 - 3);
      }
    }
  std::string status = std::to_string(game.moves) + " moves, " + std::to_string(game.coins) +
                       " coins left.   " + (game.coins ? HELP : "All coins! Any key quits.");
  set_line_color(rgb(230, 230, 230));
  draw_text(8, ROWS * CELL + 6, status.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  Game game;
  constexpr int WIDTH = COLUMNS * CELL, HEIGHT = ROWS * CELL + 30;
  if (argc > 1) {
    Image picture(WIDTH, HEIGHT);
    set_working_image(&picture);
    for (int key : {KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_DOWN, KEY_DOWN, KEY_LEFT, KEY_RIGHT,
                    KEY_RIGHT, KEY_RIGHT})
      game.press(key);
    draw(game);
    if (save_image(argv[1], &picture)) return 0;
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  if (!open_graphics(WIDTH, HEIGHT)) return 1;
  begin_batch();
  for (;;) {
    draw(game);
    flush_batch();
    int key = read_key();
    const bool arrow = key == KEY_PREFIX_EXTENDED;
    // A special key comes as a prefix, then its code.
    if (arrow || key == KEY_PREFIX_FUNCTION) key = read_key();
    if (game.coins == 0 || key < 0 || (!arrow && (key == ESC || std::tolower(key) == 'q'))) break;
    if (arrow) game.press(key);
  }
  end_batch();
  close_graphics();
  return 0;
}
