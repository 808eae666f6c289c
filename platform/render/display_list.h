#pragma once

// A drawing as a list of commands in points (1/72 inch), y growing downwards, replayed into
// sinks (PNG, PDF, SVG, EMF). Producers (chart renderer, page renderer, picture flattener) only
// append commands; they never talk to a back end directly.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace fb::render {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double right() const { return x + width; }
  double bottom() const { return y + height; }
  Point centre() const { return {x + width / 2, y + height / 2}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The smallest rectangle holding every point (empty for no points): the box a gradient or a
// pattern of a polygon spans, in every sink.
Rect bounds_of(const std::vector<Point>& points);

// Straight (not premultiplied) alpha; alpha 255 is opaque.
struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  friend bool operator==(const Colour&, const Colour&) = default;
};

// Maps a point p to (xx*p.x + xy*p.y + dx, yx*p.x + yy*p.y + dy).
struct Transform {
  double xx = 1;
  double yx = 0;
  double xy = 0;
  double yy = 1;
  double dx = 0;
  double dy = 0;

  static Transform translation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
  static Transform scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  // Clockwise on the page (y down) for positive degrees.
  static Transform rotation(double degrees);
  // First `inner`, then `outer`.
  static Transform compose(const Transform& outer, const Transform& inner);
  Point apply(Point p) const { return {xx * p.x + xy * p.y + dx, yx * p.x + yy * p.y + dy}; }
  friend bool operator==(const Transform&, const Transform&) = default;
};

// The line styles a chart or a cell border can ask for.
enum class Dash { kSolid, kDash, kDot, kDashDot, kDashDotDot, kLongDash };

enum class LineCap { kFlat, kRound, kSquare };

struct Stroke {
  double width = 0.75;  // points; 0 means the thinnest line the device can draw
  Colour colour{};
  Dash dash = Dash::kSolid;
  LineCap cap = LineCap::kFlat;
  friend bool operator==(const Stroke&, const Stroke&) = default;
};

// An Office fill pattern by its number (1 = 5 %, 2 = 10 % ... 34 = large grid ... 48 = wave):
// `foreground` draws the set pixels of the pattern's 8×8 cell, `background` the others.
struct PatternFill {
  int pattern = 0;
  Colour foreground{};
  Colour background{255, 255, 255, 255};
  friend bool operator==(const PatternFill&, const PatternFill&) = default;
};

// A linear two-colour gradient across the filled shape's bounding box. `start` and `end` are
// fractions of that box (0,0 top-left; 1,1 bottom-right). With `mirrored` the colours run
// from -> to -> from along the line (the Office "from centre" variants).
struct GradientFill {
  Colour from{};
  Colour to{255, 255, 255, 255};
  Point start{0, 0};
  Point end{0, 1};
  bool mirrored = false;
  friend bool operator==(const GradientFill&, const GradientFill&) = default;
};

struct SolidFill {
  Colour colour{};
  friend bool operator==(const SolidFill&, const SolidFill&) = default;
};

struct NoFill {
  friend bool operator==(const NoFill&, const NoFill&) = default;
};

using Fill = std::variant<NoFill, SolidFill, PatternFill, GradientFill>;

// ---- commands ----

struct LineCmd {
  Point from{};
  Point to{};
  Stroke stroke{};
};

// Open polyline through `points` (at least two).
struct PolylineCmd {
  std::vector<Point> points{};
  Stroke stroke{};
};

struct RectCmd {
  Rect rect{};
  Fill fill = NoFill{};
  std::optional<Stroke> stroke{};  // no outline when empty
  double corner_radius = 0;        // rounded corners, points
};

// Closed polygon (at least three points).
struct PolygonCmd {
  std::vector<Point> points{};
  Fill fill = NoFill{};
  std::optional<Stroke> stroke{};
};

struct EllipseCmd {
  Rect bounds{};
  Fill fill = NoFill{};
  std::optional<Stroke> stroke{};
};

struct Font {
  std::string family = "Arial";  // the product's name; the font configuration maps it
  double size = 10;              // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const Font&, const Font&) = default;
};

enum class HAlign { kLeft, kCentre, kRight };
enum class VAlign { kTop, kCentre, kBottom };

// How the characters of a text run are arranged before rotation.
enum class TextFlow {
  kHorizontal,  // lines left to right, "\n" starts a new line
  kStacked,     // each character under the previous one; "\n" starts a new column to the right
};

// A text laid out inside `box`: the lines (split at "\n", and wrapped at the box width when
// `wrap` is set) form a block that is rotated by `rotation` degrees (counter-clockwise, as the
// spreadsheet's orientation) and whose bounding box is aligned in `box` by `halign`, `valign`.
// A zero-size box is an anchor point. Text is never clipped to the box unless `clip` is set.
struct TextCmd {
  std::string text{};  // UTF-8
  Font font{};
  Colour colour{};
  Rect box{};
  HAlign halign = HAlign::kLeft;
  VAlign valign = VAlign::kTop;
  double rotation = 0;
  TextFlow flow = TextFlow::kHorizontal;
  bool wrap = false;
  bool clip = false;
};

// Decoded pixels, row-major from the top-left, four bytes per pixel: red, green, blue, alpha
// (straight alpha).
struct RgbaPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba{};
  friend bool operator==(const RgbaPixels&, const RgbaPixels&) = default;
};

enum class ImageFormat { kPng, kGif };

// An image file's bytes as a picture file holds them.
struct EncodedImage {
  ImageFormat format = ImageFormat::kPng;
  std::vector<std::uint8_t> bytes{};
  friend bool operator==(const EncodedImage&, const EncodedImage&) = default;
};

// A raster image stretched into `dest`. Pixels equal to `transparent_colour` (compared on red,
// green and blue) become fully transparent; `opacity` scales the alpha of every pixel.
struct ImageCmd {
  Rect dest{};
  std::variant<RgbaPixels, EncodedImage> image{};
  std::optional<Colour> transparent_colour{};
  double opacity = 1;
};

struct GroupCmd;

// One drawing command. A struct deriving from the variant, so that a group can hold a vector of
// commands.
struct Command;

// Children drawn with `transform` applied (after the enclosing transforms) and clipped to
// `clip`, given in the children's coordinates. `children` has no default member initializer:
// one would instantiate the vector's constructor here, while Command is still incomplete, which
// clang refuses.
struct GroupCmd {
  Transform transform{};
  std::optional<Rect> clip{};
  std::vector<Command> children;
};

struct Command : std::variant<LineCmd, PolylineCmd, RectCmd, PolygonCmd, EllipseCmd, TextCmd,
                              ImageCmd, GroupCmd> {
  using variant::variant;
};

// A page or picture of `width` × `height` points. The background is painted first when set;
// otherwise the canvas stays transparent (PNG, SVG) or blank (PDF, EMF).
class DisplayList {
 public:
  DisplayList() = default;
  DisplayList(double width, double height) : size_{width, height} {}

  Size size() const { return size_; }
  void set_size(Size size) { size_ = size; }
  const std::optional<Colour>& background() const { return background_; }
  void set_background(std::optional<Colour> colour) { background_ = colour; }

  const std::vector<Command>& commands() const { return commands_; }
  std::vector<Command>& commands() { return commands_; }
  bool empty() const { return commands_.empty(); }

  void add(Command command) { commands_.push_back(std::move(command)); }
  void line(Point from, Point to, const Stroke& stroke) { add(LineCmd{from, to, stroke}); }
  void polyline(std::vector<Point> points, const Stroke& stroke);
  void rect(const Rect& rect, Fill fill, std::optional<Stroke> stroke = std::nullopt);
  void polygon(std::vector<Point> points, Fill fill, std::optional<Stroke> stroke = std::nullopt);
  void text(TextCmd text) { add(std::move(text)); }
  void image(ImageCmd image) { add(std::move(image)); }
  // Appends a group holding everything `children` holds (its size and background are ignored).
  void group(DisplayList children, const Transform& transform,
             std::optional<Rect> clip = std::nullopt);

 private:
  Size size_{};
  std::optional<Colour> background_{};
  std::vector<Command> commands_{};
};

}  // namespace fb::render
