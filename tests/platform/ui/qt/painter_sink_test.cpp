// The QPainter sink against the same display lists the cairo sink draws: each command lands at
// the place, in the colour and with the clip the list says.

#include "platform/ui/qt/painter_sink.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include "platform/render/cairo_sink.h"
#include "platform/render/display_list.h"

using namespace fb::render;

namespace {

constexpr Colour kRed{255, 0, 0, 255};
constexpr Colour kBlue{0, 0, 255, 255};

QRgb at(const QImage& image, int x, int y) {
  return image.pixel(x, y);
}

bool is_colour(QRgb pixel, const Colour& c) {
  return qRed(pixel) == c.r && qGreen(pixel) == c.g && qBlue(pixel) == c.b && qAlpha(pixel) == c.a;
}

// Dark pixels (text) inside the rectangle [x0, x1) × [y0, y1).
int dark_pixels(const QImage& image, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) > 128 && qGray(p) < 100) ++count;
    }
  }
  return count;
}

}  // namespace

class PainterSinkTest : public QObject {
  Q_OBJECT

 private slots:
  void fills_groups_and_clips_land_where_the_list_says() {
    DisplayList list(100, 50);
    list.set_background(Colour{255, 255, 255, 255});
    list.rect({10, 10, 20, 20}, SolidFill{kRed});
    DisplayList child;
    child.rect({0, 0, 40, 40}, SolidFill{kBlue});
    // Moved to (60, 5) and clipped to its first 10 × 10 points.
    list.group(std::move(child), Transform::translation(60, 5), Rect{0, 0, 10, 10});

    const QImage image = fb::ui::qt::render_image(list, 2.0).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.width(), 200);
    QCOMPARE(image.height(), 100);
    QVERIFY(is_colour(at(image, 40, 40), kRed));  // inside the red square
    QVERIFY(is_colour(at(image, 70, 40), Colour{255, 255, 255, 255}));
    QVERIFY(is_colour(at(image, 130, 20), kBlue));                       // inside the clip
    QVERIFY(is_colour(at(image, 150, 40), Colour{255, 255, 255, 255}));  // clipped away
  }

  void a_text_is_drawn_inside_its_box_with_its_alignment() {
    for (const HAlign align : {HAlign::kLeft, HAlign::kRight}) {
      DisplayList list(200, 40);
      list.set_background(Colour{255, 255, 255, 255});
      TextCmd text;
      text.text = "鱼骨图 Report";
      text.font = {"Arial", 12};
      text.box = {0, 0, 200, 40};
      text.halign = align;
      text.valign = VAlign::kCentre;
      list.text(text);
      const QImage image = fb::ui::qt::render_image(list, 1.0);
      const int left = dark_pixels(image, 0, 0, 100, 40);
      const int right = dark_pixels(image, 100, 0, 200, 40);
      if (align == HAlign::kLeft) {
        QVERIFY2(left > 50 && right == 0, "left-aligned text stays in the left half");
      } else {
        QVERIFY2(right > 50 && left == 0, "right-aligned text stays in the right half");
      }
    }
  }

  void matches_the_cairo_sink_on_a_chart_like_drawing() {
    DisplayList list(120, 80);
    list.set_background(Colour{255, 255, 255, 255});
    list.rect({5, 5, 110, 70}, PatternFill{34, kBlue, Colour{255, 255, 255, 255}},
              Stroke{1.5, Colour{0, 0, 0, 255}});
    list.polygon({{20, 60}, {60, 15}, {100, 60}},
                 GradientFill{kRed, Colour{255, 255, 0, 255}, {0, 0}, {1, 0}, false});
    list.line({10, 70}, {110, 70}, Stroke{2, Colour{0, 128, 0, 255}});
    // One pattern pixel to one device pixel, as on a 96 dpi screen.
    constexpr double kScreen = 4.0 / 3.0;
    const QImage ours =
        fb::ui::qt::render_image(list, kScreen).convertToFormat(QImage::Format_ARGB32);
    const RgbaPixels cairo = rasterize(list, kScreen);
    QCOMPARE(ours.width(), cairo.width);
    QCOMPARE(ours.height(), cairo.height);
    // Edges anti-alias and pattern pixels sample differently; the mean colour of every 8 × 8
    // block must agree.
    int differing = 0, blocks = 0;
    for (int by = 0; by + 8 <= cairo.height; by += 8) {
      for (int bx = 0; bx + 8 <= cairo.width; bx += 8) {
        int sum_ours[3] = {}, sum_cairo[3] = {};
        for (int y = by; y < by + 8; ++y) {
          for (int x = bx; x < bx + 8; ++x) {
            const std::uint8_t* c =
                &cairo.rgba[(static_cast<std::size_t>(y) * cairo.width + x) * 4];
            const QRgb q = ours.pixel(x, y);
            sum_ours[0] += qRed(q), sum_ours[1] += qGreen(q), sum_ours[2] += qBlue(q);
            sum_cairo[0] += c[0], sum_cairo[1] += c[1], sum_cairo[2] += c[2];
          }
        }
        int diff = 0;
        for (int i = 0; i < 3; ++i) diff += std::abs(sum_ours[i] - sum_cairo[i]) / 64;
        ++blocks;
        if (diff > 30) ++differing;
      }
    }
    QVERIFY2(differing <= blocks / 50,
             qPrintable(QString("%1 of %2 blocks differ").arg(differing).arg(blocks)));
  }
};

QTEST_MAIN(PainterSinkTest)
#include "painter_sink_test.moc"
