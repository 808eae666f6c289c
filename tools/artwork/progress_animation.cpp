#include <cmath>

#include "tools/artwork/canvas.h"
#include "tools/artwork/indexed_frames.h"
#include "tools/artwork/pictures.h"

namespace fb::artwork {
namespace {

constexpr int kWidth = 47;
constexpr int kHeight = 39;
constexpr int kFrames = 7;
constexpr Colour kKeyBlue = Rgb(0, 0, 255);  // the progress window's transparent colour

// Frame `frame`: a white tile with the spine and the red problem box, and `frame` of the six
// bones drawn, so the little diagram builds itself and starts over.
void DrawFrame(Canvas& c, int frame) {
  cairo_t* cr = c.cr();
  c.Fill(kPaper);
  const double spine_y = 19.5;
  c.Line(5, spine_y, 33, spine_y, 2.6, kNavy);
  c.SetColour(kRed);
  c.RoundedRect(33, 12, 10, 15, 2.5);
  cairo_fill(cr);
  // Three pairs of bones, the pair nearest the tail first; the newest one is lighter.
  for (int bone = 0; bone < std::min(frame, 6); ++bone) {
    const double root = 14 + 8 * (bone / 2);
    const int side = bone % 2 == 0 ? -1 : 1;
    c.Line(root, spine_y, root - 6, spine_y + side * 12, 2, bone == frame - 1 ? kSky : kNavy);
  }
}

}  // namespace

ArtFile ProgressAnimation() {
  RampPalette palette;
  palette.AddRamp(kKeyBlue, kKeyBlue, 1);  // entry 0: transparent
  for (const Colour ink : {kNavy, kSky, kRed}) palette.AddRamp(kPaper, ink, 24);

  // The tile's outline, without anti-aliasing: its corners must be exactly the key colour or
  // exactly the tile, never a blend that would show as a blue fringe.
  Canvas mask(kWidth, kHeight);
  cairo_set_antialias(mask.cr(), CAIRO_ANTIALIAS_NONE);
  mask.SetColour(kPaper);
  mask.RoundedRect(0, 0, kWidth, kHeight, 7);
  cairo_fill(mask.cr());
  const std::vector<std::uint8_t> tile = mask.Rgba();

  GifFile file;
  file.width = kWidth;
  file.height = kHeight;
  file.loop_count = 0;
  for (int frame = 0; frame < kFrames; ++frame) {
    Canvas canvas(kWidth, kHeight);
    DrawFrame(canvas, frame);
    std::vector<std::uint8_t> indexes = palette.Map(canvas.Rgba());
    for (std::size_t i = 0; i < indexes.size(); ++i) {
      if (tile[i * 4 + 3] == 0) indexes[i] = 0;
    }
    GifImage image;
    image.width = kWidth;
    image.height = kHeight;
    image.indexes = std::move(indexes);
    image.delay_centiseconds = 15;
    image.disposal = 2;
    image.transparent = 0;
    file.images.push_back(std::move(image));
  }
  file.global_colours = palette.colours();
  return {"progress.gif", WriteGif(file)};
}

}  // namespace fb::artwork
