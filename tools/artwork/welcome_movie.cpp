#include "tools/artwork/fishbone_scene.h"
#include "tools/artwork/indexed_frames.h"
#include "tools/artwork/pictures.h"

namespace fb::artwork {

ArtFile WelcomeMovie() {
  RampPalette palette;
  for (const Colour ink : {kNavy, kSky, kRed, kMutedInk, kInk}) palette.AddRamp(kPaper, ink, 40);
  palette.AddRamp(kNavy, kSky, 12);
  palette.AddRamp(kNavy, kRed, 12);
  palette.AddRamp(kSky, kRed, 12);

  std::vector<std::vector<std::uint8_t>> frames;
  for (int frame = 0; frame < kSceneFrames; ++frame) {
    Canvas canvas(kStageWidth, kStageHeight);
    canvas.Fill(kPaper);
    DrawFishboneScene(canvas, frame);
    frames.push_back(palette.Map(canvas.Rgba()));
  }
  GifFile file;
  file.width = kStageWidth;
  file.height = kStageHeight;
  file.global_colours = palette.colours();
  file.loop_count = 0;
  file.images = DeltaImages(frames, kStageWidth, kStageHeight, kSceneFramesPerSecond);
  // The finished diagram stays a while before the drawing starts over.
  file.images.back().delay_centiseconds = 250;
  return {"welcome_movie.gif", WriteGif(file)};
}

}  // namespace fb::artwork
