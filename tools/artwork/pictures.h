#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fb::artwork {

// One file of the artwork: its name under src/resources/pictures and its bytes.
struct ArtFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// The editor window's pictures (Work): icon, decorations, notes, cause-count caption, buttons.
std::vector<ArtFile> EditorPictures();
// The product mark on a square of `size` pixels (the editor icon, the welcome badge).
class Canvas;
void DrawProductMark(Canvas& canvas, double size);

// The welcome and About window's pictures (Hello): background, title, badge, contact.
std::vector<ArtFile> WelcomePictures();
// The progress window's animation: 47 × 39, 7 frames of 150 ms, on pure blue.
ArtFile ProgressAnimation();
// The welcome window's movie: a 450 × 400 stage at 24 frames a second, the fishbone drawing
// itself bone by bone.
ArtFile WelcomeMovie();

}  // namespace fb::artwork
