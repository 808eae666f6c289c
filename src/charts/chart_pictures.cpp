#include <string>
#include <vector>

#include "platform/sheet/application.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/shape/shape_range.h"
#include "src/charts/chart_steps.h"
#include "src/component/component.h"
#include "src/component/exchange_paths.h"

namespace kivo2d {

void MakeChartPictures(Component& component) {
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();
  const int k = sheet.shapes().count();

  // Creation order: fishbone, Pareto, top-three; a chart the user left out was not made, and
  // the others keep the picture names the report knows them by.
  const GenerationOptions& options = component.generation_options;
  std::vector<std::string> names{"PIC1"};
  if (options.pareto_chart) names.emplace_back("PIC2");
  if (options.top_three_chart) names.emplace_back("PIC3");
  const int made = static_cast<int>(names.size());
  for (int chart = k - made + 1; chart <= k; ++chart) {
    sheet.shapes().item("图表 " + std::to_string(chart)).cut();
    sheet.paste_special("图片(增强型图元文件)", false, false);
  }
  app.clear_clipboard();

  const bool legacy = app.profile() == fb::sheet::HostProfile::V11;
  for (int i = 1; i <= made; ++i) {
    const std::string pasted =
        legacy ? "图片 " + std::to_string(k + i) : "Picture " + std::to_string(i);
    sheet.shapes().item(pasted).set_name(names[static_cast<std::size_t>(i - 1)]);
  }
  sheet.shapes().range(names).select();
  app.selection_shape_range().cut();

  app.workbooks().item(std::string(kExchangeFileName)).window().activate();
  app.set_display_alerts(false);
  app.active_window().close();
  app.set_display_alerts(true);
}

}  // namespace kivo2d
