#include "tools/artwork/fishbone_scene.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace fb::artwork {
namespace {

constexpr double kSpineY = 205;
constexpr double kSpineStart = 34;
constexpr double kSpineEnd = 318;

struct Bone {
  double root_x;  // where it meets the spine
  int side;       // -1 above, +1 below
  const char* label;
};
// The six classic main causes: people, machines, materials, methods, environment, measurement.
constexpr std::array<Bone, 6> kBones{{{118, -1, "人"},
                                      {206, -1, "机"},
                                      {294, -1, "料"},
                                      {118, 1, "法"},
                                      {206, 1, "环"},
                                      {294, 1, "测"}}};
constexpr double kBoneRise = 128;  // from the spine to a bone's tip
constexpr double kBoneBack = 72;   // how far a tip lies left of its root

// The timeline, in frames.
constexpr int kSpineFrames = 12;
constexpr int kHeadFrames = 10;
constexpr int kBoneFrames = 9;
constexpr int kLabelFrames = 3;
constexpr int kTwigFrames = 3;
constexpr int kBonesStart = kSpineFrames + kHeadFrames;
constexpr int kTwigsStart = kBonesStart + 6 * (kBoneFrames + kLabelFrames);
constexpr int kTwigsPerBone = 2;

double Progress(int frame, int start, int length) {
  return std::clamp(static_cast<double>(frame - start + 1) / length, 0.0, 1.0);
}

double EaseOut(double t) {
  return 1 - (1 - t) * (1 - t);
}

void DrawLabel(Canvas& c, double cx, double cy, const char* text, double appear) {
  if (appear <= 0) return;
  cairo_t* cr = c.cr();
  const double scale = 0.6 + 0.4 * EaseOut(appear);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, scale, scale);
  c.SetColour(kSky);
  c.RoundedRect(-24, -17, 48, 34, 8);
  cairo_fill(cr);
  Canvas::TextStyle style{"Tahoma", 22, true, kPaper};
  const auto [w, h] = c.Measure(text, style);
  c.Text(-w / 2, -h / 2, text, style);
  cairo_restore(cr);
}

}  // namespace

const int kSceneFrames = kTwigsStart + 6 * kTwigsPerBone * kTwigFrames;

void DrawFishboneScene(Canvas& c, int frame) {
  cairo_t* cr = c.cr();
  // Spine.
  const double spine = EaseOut(Progress(frame, 0, kSpineFrames));
  c.Line(kSpineStart, kSpineY, kSpineStart + (kSpineEnd - kSpineStart) * spine, kSpineY, 7, kNavy);
  // Head: the problem.
  const double head = EaseOut(Progress(frame, kSpineFrames, kHeadFrames));
  if (head > 0) {
    cairo_save(cr);
    cairo_translate(cr, 374, kSpineY);
    cairo_scale(cr, 0.5 + 0.5 * head, 0.5 + 0.5 * head);
    c.SetColour(kRed);
    c.RoundedRect(-54, -46, 108, 92, 12);
    cairo_fill(cr);
    Canvas::TextStyle title{"Tahoma", 24, true, kPaper};
    title.align = 1;
    title.width = 104;
    Canvas::TextStyle detail{"Tahoma", 17, false, kPaper};
    detail.align = 1;
    detail.width = 104;
    c.Text(-52, -38, "问题", title);
    c.Text(-52, 4, "不良率上升", detail);
    cairo_restore(cr);
  }
  // Main bones, one after another, each followed by its label.
  for (std::size_t i = 0; i < kBones.size(); ++i) {
    const Bone& bone = kBones[i];
    const int start = kBonesStart + static_cast<int>(i) * (kBoneFrames + kLabelFrames);
    const double grow = EaseOut(Progress(frame, start, kBoneFrames));
    if (grow <= 0) continue;
    const double tip_x = bone.root_x - kBoneBack;
    const double tip_y = kSpineY + bone.side * kBoneRise;
    c.Line(bone.root_x, kSpineY, bone.root_x + (tip_x - bone.root_x) * grow,
           kSpineY + (tip_y - kSpineY) * grow, 4.5, kNavy);
    DrawLabel(c, tip_x, tip_y + bone.side * 16, bone.label,
              Progress(frame, start + kBoneFrames, kLabelFrames));
  }
  // Causes on each main bone: short horizontal twigs.
  for (std::size_t i = 0; i < kBones.size(); ++i) {
    const Bone& bone = kBones[i];
    for (int t = 0; t < kTwigsPerBone; ++t) {
      const int start = kTwigsStart + (static_cast<int>(i) * kTwigsPerBone + t) * kTwigFrames;
      const double grow = Progress(frame, start, kTwigFrames);
      if (grow <= 0) continue;
      const double along = 0.36 + 0.3 * t;  // where on the bone, from the root
      const double x = bone.root_x - kBoneBack * along;
      const double y = kSpineY + bone.side * kBoneRise * along;
      c.Line(x, y, x - 46 * grow, y, 2.5, kSky);
      c.SetColour(kRed);
      cairo_arc(cr, x - 46 * grow, y, 3.2 * grow, 0, 2 * M_PI);
      cairo_fill(cr);
    }
  }
}

}  // namespace fb::artwork
