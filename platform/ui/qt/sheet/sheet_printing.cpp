#include "platform/ui/qt/sheet/sheet_printing.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <stdexcept>

#include "platform/render/page/report_page.h"
#include "platform/ui/qt/painter_sink.h"

namespace fb::ui::qt {

void set_up_printer(QPrinter& printer, const render::DisplayList& page) {
  const render::Size size = page.size();
  const bool landscape = size.width > size.height;
  const double long_side = std::max(size.width, size.height);
  const double short_side = std::min(size.width, size.height);
  const QPageSize a4(QPageSize::A4);
  const QSizeF a4_points = a4.size(QPageSize::Point);
  const bool is_a4 =
      std::abs(long_side - a4_points.height()) < 1 && std::abs(short_side - a4_points.width()) < 1;
  const QPageSize paper = is_a4 ? a4
                                : QPageSize(QSizeF(short_side, long_side), QPageSize::Point,
                                            QString(), QPageSize::ExactMatch);
  printer.setPageLayout(QPageLayout(paper,
                                    landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                    QMarginsF(0, 0, 0, 0), QPageLayout::Point));
  printer.setFullPage(true);
}

void print_sheet(QPrinter& printer, const sheet::Worksheet& sheet,
                 const render::DrawingRenderer& render_drawing) {
  const render::DisplayList page = render::report_page(sheet, render_drawing);
  set_up_printer(printer, page);
  QPainter painter;
  if (!painter.begin(&printer)) throw std::runtime_error("the printer cannot be started");
  // The painter's user space in points, from the paper's corner.
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  painter.scale(paper.width() / page.size().width, paper.height() / page.size().height);
  paint_display_list(painter, page);
  painter.end();
}

}  // namespace fb::ui::qt
