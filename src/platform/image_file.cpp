// Decoding image files into surfaces.
#include <stb_image.h>

#include <memory>

#include "lumo/lumo.hpp"

namespace lumo {

void loadSurface(const std::string& path, const SurfaceFunc& callback) {
  int w = 0, h = 0, fileChannels = 0;
  // Always four bytes per pixel, whatever the file stores, so readers such
  // as the font builder can rely on RGBA; `channels` keeps the file's count.
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> pixels(
      stbi_load(path.c_str(), &w, &h, &fileChannels, 4), &stbi_image_free);
  if (!pixels) throwIO("Unable to load surface: " + path);
  Surface surface;
  surface.data.assign(pixels.get(), pixels.get() + static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
  surface.channels = fileChannels;
  surface.w = w;
  surface.h = h;
  pixels.reset();
  callback(surface);
}

}  // namespace lumo
