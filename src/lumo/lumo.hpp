// lumo: a small fantasy-console style framework. Applications register
// init, update and draw callbacks, draw into a palette-indexed screen and
// query abstract buttons, axes and the mouse. This is the one header an
// application includes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "support/error.hpp"
#include "support/log.hpp"

// SDL types that appear in the interface, declared without SDL's headers.
union SDL_Event;
struct _SDL_GameController;
struct _SDL_Joystick;

namespace lumo {

// ---------------------------------------------------------------------------
// Shared value types

struct Rect {
  int32_t x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  int32_t x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// A pixel buffer: one palette index per byte for the screen, sheets and
// recorded frames; red, green, blue, alpha per pixel for decoded images.
// Copies never share pixels.
struct Surface {
  std::vector<uint8_t> data;
  int32_t channels = 0;
  int32_t w = 0;
  int32_t h = 0;
};

// One palette entry.
struct Color {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

// Truncation toward zero, the drawing API's conversion to a pixel coordinate.
inline int32_t toPint(int32_t v) { return v; }
int32_t toPint(double v);

// ---------------------------------------------------------------------------
// Lifecycle and frame loop

using InitFunc = std::function<void()>;
using UpdateFunc = std::function<void(double)>;
using DrawFunc = std::function<void()>;

void init(const std::string& organisation, const std::string& application);
void setInitFunc(InitFunc f);
void setUpdateFunc(UpdateFunc f);
void setDrawFunc(DrawFunc f);
void run(InitFunc initFn, UpdateFunc updateFn, DrawFunc drawFn);
void shutdown();
void fps(int32_t n);
int32_t fps();
void speed(int32_t n);

// Pseudo-random numbers (xoroshiro128+).
void randomize();
void randomize(int32_t seed);
uint64_t random(uint64_t max);  // uniform in [0, max), max > 0
inline int64_t random(int32_t max) { return static_cast<int64_t>(random(static_cast<uint64_t>(max))); }
double random(double max);  // uniform in [0, max)
template <typename T>
void shuffle(std::vector<T>& list) {
  for (size_t i = list.size(); i-- > 1;) {
    size_t j = static_cast<size_t>(random(static_cast<uint64_t>(i + 1)));
    std::swap(list[i], list[j]);
  }
}
double rnd(double x);
void srand(int32_t seed);
double flr(double x);
double ceil(double x);

// ---------------------------------------------------------------------------
// Draw state and colour mapping (screen coordinates unless noted)

void setColor(int32_t c);
int32_t getColor();
void setCamera(int32_t x, int32_t y);
Point getCamera();
void clip();
void clip(int32_t x, int32_t y, int32_t w, int32_t h);
void pal(int32_t c1, int32_t c2);
void pal();
void palt(int32_t c, bool t);
void palt();
void cls();
void pset(int32_t x, int32_t y);
void pset(int32_t x, int32_t y, int32_t c);
void psetRaw(int32_t x, int32_t y, uint8_t v);
int32_t pget(int32_t x, int32_t y);

// ---------------------------------------------------------------------------
// Pixels, lines and shapes (world coordinates, current colour)

struct Bresenham {
  int32_t x = 0, y = 0;
  int32_t x1 = 0, y1 = 0;
  int32_t dx = 0, sx = 0;
  int32_t dy = 0, sy = 0;
  double err = 0.0;
  double e2 = 0.0;
  bool finished = false;
};

void rectfill(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void innerLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void lineDashed(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t pattern);
void hline(int32_t x0, int32_t y, int32_t x1);
void vline(int32_t x, int32_t y0, int32_t y1);
void hlineFast(int32_t x0, int32_t y, int32_t x1, uint8_t v);
Bresenham initBresenham(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
Point step(Bresenham& walker);
void trifill(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
void circ(int32_t cx, int32_t cy, int32_t r);
void circfill(int32_t cx, int32_t cy, int32_t r);
void plot4pointsfill(int32_t cx, int32_t cy, int32_t x, int32_t y);
void arc(int32_t cx, int32_t cy, int32_t r, double startAngle, double endAngle);

// ---------------------------------------------------------------------------
// Sprite sheets and blitting

void setSpritesheet(int32_t slot);
void loadSpriteSheet(const std::string& fileName);
Rect getSprRect(int32_t n, int32_t w, int32_t h);
void spr(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h, bool hflip, bool vflip);
void sprBlit(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h);
void sprBlitFast(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h);
void sprBlitFastRaw(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h);
void sprBlitStretch(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h);
void sprs(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh, bool hflip,
          bool vflip);
void sprss(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh, bool hflip,
           bool vflip);
void sspr(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
          bool hflip, bool vflip);
int32_t sget(int32_t x, int32_t y);
void sset(int32_t x, int32_t y, int32_t c);

bool overlap(const Rect& a, const Rect& b);
void blitFast(const Surface& src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h);
void blitFastFlip(const Surface& src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h,
                  bool hflip, bool vflip);
void blitFastRaw(const Surface& src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h);
void blit(const Surface& src, const Rect& srcRect, const Rect& dstRect, bool hflip, bool vflip);
void blitStretch(const Surface& src, const Rect& srcRect, const Rect& dstRect, bool hflip, bool vflip);
void copy(int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h);
void copyPixelsToMem(int32_t x, int32_t y, std::vector<uint8_t>& dest);
void copyMemToScreen(int32_t x, int32_t y, const std::vector<uint8_t>& src);

// ---------------------------------------------------------------------------
// Fonts and text

// A bitmap font built from an image strip; held by reference.
struct Font {
  std::vector<Rect> rects;    // glyph cell per character code
  std::vector<uint8_t> data;  // pixel class per image pixel
  int32_t w = 0;
  int32_t h = 0;
};
using FontRef = std::shared_ptr<Font>;

// The 95-character charset of the default font.
const std::string& builtinCharset();

void loadFont(const std::string& fileName, const std::string& charset);
FontRef createFontFromSurface(const Surface& surface, const std::string& charset);
void setFont(int32_t slot);
int32_t getFont();
int32_t glyph(char c, int32_t x, int32_t y, int32_t scale);
void fontBlit(const Font& font, int32_t color, const Rect& src, const Rect& dst);
void print(const std::string& text, int32_t x, int32_t y, int32_t scale = 1);
int32_t glyphWidth(char c, int32_t scale = 1);
int32_t textWidth(const std::string& text, int32_t scale = 1);
void printr(const std::string& text, int32_t x, int32_t y, int32_t scale = 1);
void printc(const std::string& text, int32_t x, int32_t y, int32_t scale = 1);

// ---------------------------------------------------------------------------
// Input state and queries

enum class LumoButton : uint8_t { Up, Down, Left, Right, A, B, X, Y, L1, L2, R1, R2, Start, Back };
constexpr int32_t buttonCount = 14;
constexpr int32_t axisCount = 6;
const char* buttonName(LumoButton b);

enum class ControllerKind : uint8_t { Keyboard, Gamepad };
const char* controllerKindName(ControllerKind k);

struct AxisValue {
  double current = 0.0;
  double previous = 0.0;
};

// One input device. Shared by the controller list and the application.
struct ControllerRecord {
  ControllerKind kind = ControllerKind::Keyboard;
  std::string name;
  bool hasName = false;  // SDL may give a controller no name
  _SDL_GameController* sdlController = nullptr;
  int32_t id = 0;           // device index it was opened with; -1 for the keyboard
  int32_t instanceId = -1;  // SDL's joystick instance id, which controller events carry
  std::array<AxisValue, axisCount> axes{};
  std::array<int32_t, buttonCount> buttons{};
  double deadzone = 0.0;
  bool invertX = false;
  bool invertY = false;
  bool useRightStick = false;
};
using LumoController = std::shared_ptr<ControllerRecord>;

LumoController newLumoController(int32_t id);
void update(const LumoController& c);
void postUpdate(const LumoController& c);
void setButtonState(const LumoController& c, int32_t button, bool down);
void setAxisValue(const LumoController& c, int32_t axisNumber, double value);
double axis(const LumoController& c, int32_t a);
bool axisp(const LumoController& c, int32_t a, double direction);
bool btn(const LumoController& c, LumoButton b);
bool btnp(const LumoController& c, LumoButton b);
bool btnpr(const LumoController& c, LumoButton b, int32_t repeat);

bool btn(LumoButton b);
bool btn(LumoButton b, int32_t player);
bool btnp(LumoButton b);
bool btnp(LumoButton b, int32_t player);
bool btnpr(LumoButton b, int32_t repeat);
bool btnpr(LumoButton b, int32_t player, int32_t repeat);
double jaxis(int32_t a);
double jaxis(int32_t a, int32_t player);
std::vector<LumoController> getControllers();
std::vector<_SDL_Joystick*> getUnmappedJoysticks();
bool hasMouse();
Point mouse();
bool mousebtn(int32_t b);
bool mousebtnp(int32_t b);
bool mousebtnpr(int32_t b, int32_t repeat);
int32_t mousewheel();

using ControllerFunc = std::function<void(const LumoController&)>;
void setControllerAdded(ControllerFunc f);
void setControllerRemoved(ControllerFunc f);

// ---------------------------------------------------------------------------
// Palettes

constexpr int32_t paletteSize = 16;
Color RGB(int32_t r, int32_t g, int32_t b);
void loadPalettePico8();
void loadPaletteCGA();
void loadPaletteFromGPL(const std::string& fileName);

// ---------------------------------------------------------------------------
// Start-up, paths and settings file

void loadConfig();
void saveConfig();
void updateConfigValue(const std::string& section, const std::string& key, const std::string& value);
std::string getConfigValue(const std::string& section, const std::string& key);
void setBasePath(const std::string& path);
void setWritePath(const std::string& path);
void setAssetPath(const std::string& path);
std::string readFile(const std::string& name);
nlohmann::json readJsonFile(const std::string& name);

// ---------------------------------------------------------------------------
// Window, scaling and presentation

using ResizeFunc = std::function<void(int32_t, int32_t)>;

void createWindow(const std::string& title, int32_t w, int32_t h, int32_t scale, bool fullscreen);
void resize(int32_t w, int32_t h);
void resize();
void setResizeFunc(ResizeFunc f);
void setTargetSize(int32_t w, int32_t h);
bool fixedSize();
void fixedSize(bool on);
bool integerScale();
void integerScale(bool on);
void setScreenSize(int32_t w, int32_t h);
void setFullscreen(bool on);
bool getFullscreen();
void setWindowTitle(const std::string& title);

// ---------------------------------------------------------------------------
// Event dispatch

using EventFunc = std::function<bool(const SDL_Event&)>;
using TextFunc = std::function<void(const std::string&)>;

void setEventFunc(EventFunc f);
void setTextFunc(TextFunc f);
bool hasTextFunc();
bool muted();

// ---------------------------------------------------------------------------
// Keyboard mapping

void clearKeysForBtn(LumoButton b);
void addKeyForBtn(LumoButton b, int32_t scancode);
std::vector<std::string> getKeyNamesForBtn(LumoButton b);
std::string getKeyMap();
void setKeyMap(const std::string& text);
int32_t toScancode(int32_t n);
int32_t toInt(int32_t scancode);

// ---------------------------------------------------------------------------
// Surfaces and image files

using SurfaceFunc = std::function<void(Surface&)>;

Surface newSurface(int32_t w, int32_t h);
void convertToABGR(const Surface& src, uint8_t* dest, int32_t pitch, int32_t w, int32_t h);
void convertToRGBA(const Surface& src, uint8_t* dest, int32_t pitch, int32_t w, int32_t h);
int32_t mapRGB(uint8_t r, uint8_t g, uint8_t b);
Surface convertToIndexed(const Surface& src);
void loadSurface(const std::string& path, const SurfaceFunc& callback);

// ---------------------------------------------------------------------------
// Screenshots and recording

void createRecordBuffer();
void setRecordSeconds(int32_t seconds);
int32_t getRecordSeconds();
void setFullSpeedGif(bool on);
bool getFullSpeedGif();
void saveScreenshot();
void saveRecording();

// ---------------------------------------------------------------------------
// Audio entry points (this system plays no sound)

void initMixer(int32_t channels);
void loadSfx(int32_t index, const std::string& fileName);
void loadMusic(int32_t index, const std::string& fileName);
void sfx(int32_t index, int32_t channel, int32_t loops);
void music(int32_t index);
void musicVol(int32_t volume);
int32_t musicVol();
void sfxVol(int32_t volume);
int32_t sfxVol();
void mute();

}  // namespace lumo
