#include "apps/fishbone/run_outputs.h"

#include <cctype>
#include <cstdio>
#include <exception>
#include <ostream>
#include <system_error>

#include "apps/fishbone/sheet_csv.h"
#include "apps/fishbone/tree_input.h"
#include "platform/os/atomic_file.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/render/drawing/picture_export.h"
#include "platform/render/page/report_page.h"
#include "platform/sheet/application.h"
#include "platform/sheet/clipboard.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"
#include "platform/xlsx/model_adapter.h"
#include "platform/xlsx/xlsx_writer.h"
#include "src/pipeline/run_export.h"

namespace fishbone {
namespace {

namespace fs = std::filesystem;

// Steps that draw charts; after each, the trace shows every chart of the sheet.
constexpr int kFirstChartStep = 9;
constexpr int kLastChartStep = 12;
// After this step the generation workbook still holds its charts; the next one closes it.
constexpr int kLastStepWithDataSheet = 12;
// After this step the three pictures wait on the clipboard for the report.
constexpr int kPicturesStep = 13;

constexpr fb::render::PictureFormat kPictureFormats[] = {fb::render::PictureFormat::kEmf,
                                                         fb::render::PictureFormat::kSvg,
                                                         fb::render::PictureFormat::kPng};

std::string StepPrefix(int step) {
  char prefix[8];
  std::snprintf(prefix, sizeof prefix, "%02d-", step);
  return prefix + std::string(kivo2d::StepName(step));
}

void SaveWorkbook(fb::sheet::Workbook& workbook, const fs::path& path) {
  fb::xlsx::save_package(fb::xlsx::document_from_workbook(workbook, fb::render::render_drawing),
                         path);
}

}  // namespace

bool TraceWrites(const std::string& name) {
  return name.size() > 3 && std::isdigit(static_cast<unsigned char>(name[0])) &&
         std::isdigit(static_cast<unsigned char>(name[1])) && name[2] == '-' &&
         (name.ends_with(".csv") || name.ends_with(".png"));
}

bool PicturesWrite(const std::string& name) {
  return name.size() == 8 && name.starts_with("PIC") && name[3] >= '1' && name[3] <= '3' &&
         (name.ends_with(".emf") || name.ends_with(".svg") || name.ends_with(".png"));
}

OutputTargets TargetsOf(const RunOutputs& outputs) {
  OutputTargets targets;
  for (const auto& file :
       {outputs.report, outputs.pdf, outputs.png, outputs.data, outputs.layout_report}) {
    if (file) targets.files.push_back(*file);
  }
  if (outputs.trace) targets.folders.push_back({*outputs.trace, TraceWrites});
  if (outputs.pictures) targets.folders.push_back({*outputs.pictures, PicturesWrite});
  return targets;
}

void RunObserver::AfterStep(fb::sheet::Application& app, int step) {
  if (failure_) return;
  try {
    if (outputs_.trace) WriteTrace(app, step);
    if (outputs_.data && step == kLastStepWithDataSheet) {
      SaveWorkbook(app.active_workbook(), *outputs_.data);
    }
    if (outputs_.pictures && step == kPicturesStep) WritePictures(app);
  } catch (const std::exception& error) {
    failure_ = error.what();
  }
}

void RunObserver::WriteTrace(fb::sheet::Application& app, int step) {
  const std::string prefix = StepPrefix(step);
  // After the generation workbook closes there may be no sheet left to show.
  const bool has_sheet = app.workbooks().count() > 0;
  const std::string csv = has_sheet ? SheetValuesAsCsv(app.active_sheet()) : std::string();
  fb::os::write_file_atomically((*outputs_.trace / (prefix + ".csv")).string(), csv);
  if (!has_sheet || step < kFirstChartStep || step > kLastChartStep) return;
  fb::sheet::ChartObjects charts = app.active_sheet().chart_objects();
  for (int i = 1; i <= charts.count(); ++i) {
    fb::sheet::Shape& chart = charts.item(i);
    fb::render::write_chart(chart.chart(), *outputs_.trace / (prefix + "-" + chart.name() + ".png"),
                            fb::render::PictureFormat::kPng);
  }
}

void RunObserver::WritePictures(fb::sheet::Application& app) {
  if (!app.clipboard().has_shapes()) {
    throw std::runtime_error("no pictures on the clipboard after step " +
                             std::to_string(kPicturesStep));
  }
  pictures_ = std::make_unique<StagedPictures>(*outputs_.pictures);
  for (const auto& shape : app.clipboard().shapes().shapes) {
    if (!shape->drawing) continue;
    for (const fb::render::PictureFormat format : kPictureFormats) {
      fb::render::write_drawing(
          *shape->drawing,
          pictures_->PathFor(shape->name() + fb::render::picture_extension(format)), format);
    }
  }
}

void RunObserver::MovePicturesIntoPlace() {
  if (!pictures_) return;
  pictures_->MoveIntoPlace();
  pictures_.reset();
}

std::optional<std::string> PrepareOutputFolders(const RunOutputs& outputs) {
  for (const auto& folder : {outputs.trace, outputs.pictures}) {
    if (!folder) continue;
    std::error_code failed;
    fs::create_directories(*folder, failed);
    if (failed) return "cannot make the folder \"" + folder->string() + "\": " + failed.message();
  }
  return std::nullopt;
}

std::optional<std::string> WriteReport(fb::sheet::Application& app, const RunOutputs& outputs,
                                       Io& io) {
  try {
    fb::sheet::Workbook& report = app.active_workbook();
    if (outputs.report) {
      SaveWorkbook(report, *outputs.report);
      io.out << "wrote " << PrintableName(outputs.report->string()) << '\n';
    }
    const fb::sheet::Worksheet& sheet = report.active_sheet();
    if (outputs.pdf) {
      fb::render::write_report_page(sheet, *outputs.pdf, fb::render::PageFormat::kPdf,
                                    fb::render::render_drawing);
      io.out << "wrote " << PrintableName(outputs.pdf->string()) << '\n';
    }
    if (outputs.png) {
      fb::render::write_report_page(sheet, *outputs.png, fb::render::PageFormat::kPng,
                                    fb::render::render_drawing);
      io.out << "wrote " << PrintableName(outputs.png->string()) << '\n';
    }
  } catch (const std::exception& error) {
    return error.what();
  }
  return std::nullopt;
}

}  // namespace fishbone
