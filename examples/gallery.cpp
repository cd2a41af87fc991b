// A tour of the drawing API: shapes, sprites from the game's sheet and text.
#include <cstdio>

#include "lumo/lumo.hpp"

int main() {
  try {
    lumo::init("brindle", "gallery");
    lumo::createWindow("gallery", 128, 128, 4, false);
    lumo::loadPaletteCGA();
    double time = 0.0;
    lumo::run([] { lumo::loadSpriteSheet("sprites.png"); },
              [&](double dt) { time += dt; },
              [&] {
                lumo::cls();
                lumo::setColor(1);
                lumo::rect(2, 2, 40, 30);
                lumo::circ(60, 16, 12);
                lumo::setColor(2);
                lumo::circfill(60, 16, 6);
                lumo::trifill(80, 30, 100, 2, 124, 30);
                lumo::setColor(3);
                lumo::line(4, 28, 38, 4);
                lumo::lineDashed(2, 36, 125, 36, 0xF0);
                lumo::spr(0, 4, 44, 2, 3, false, false);
                lumo::spr(2, 8, 53, 1, 1, false, false);
                lumo::print("A", 12, 48);
                lumo::sspr(0, 0, 16, 24, 28, 44, 32, 48, false, false);
                for (int s = 0; s < 4; ++s) lumo::spr(2 + s, 70 + 12 * s, 44, 1, 1, false, false);
                lumo::setColor(3);
                lumo::print("fifteens: 16", 66, 60);
                lumo::setColor(2);
                lumo::printc("lumo " + std::to_string(static_cast<int>(time)), 96, 70);
                lumo::setColor(1);
                lumo::print("the quick brown fox", 2, 100);
                lumo::print("JUMPS OVER 0123456789", 2, 108);
                lumo::print("!\"#$%&'()*+,-./:;<=>?@", 2, 116);
                lumo::circfill(lumo::mouse().x, lumo::mouse().y, 1);
              });
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", lumo::unhandledReport(e).c_str());
    return 1;
  }
}
