// Sprite sheets and blitting.
#include "lumo/lumo.hpp"

namespace lumo {

void setSpritesheet(int32_t) {}

}  // namespace lumo
