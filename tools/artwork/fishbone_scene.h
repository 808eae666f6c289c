#pragma once

#include "tools/artwork/canvas.h"

namespace fb::artwork {

// The welcome movie's stage: a fishbone diagram on a 450 × 400 stage that draws itself bone by
// bone. Frame `frame` of kSceneFrames, drawn onto `canvas` in stage coordinates (the caller may
// have scaled the context); the last frame is the finished diagram.
inline constexpr int kStageWidth = 450;
inline constexpr int kStageHeight = 400;
inline constexpr int kSceneFramesPerSecond = 24;
extern const int kSceneFrames;

void DrawFishboneScene(Canvas& canvas, int frame);

}  // namespace fb::artwork
