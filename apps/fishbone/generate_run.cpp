#include "apps/fishbone/generate_run.h"

#include <ostream>

#include "apps/fishbone/tree_input.h"
#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/host_profile.h"
#include "platform/sheet/workbook.h"
#include "src/pipeline/run_export.h"

namespace fishbone {

std::optional<std::string> HostVersionOption(const ParsedArgs& parsed, std::string& error) {
  std::string version =
      parsed.Value("--host-version").value_or(std::string(fb::sheet::kV12VersionText));
  if (fb::sheet::host_profile_of(version) == fb::sheet::HostProfile::Other) {
    error = "--host-version takes 11.0 or 12.0, not \"" + version + "\"";
    return std::nullopt;
  }
  return version;
}

int GenerateReportFiles(const kivo2d::TreeDocument& tree, std::string_view input_name,
                        const GenerationOptions& options, RunOutputs outputs, Io& io) {
  if (const auto problem = PrepareOutputFolders(outputs)) {
    io.err << "fishbone: " << *problem << '\n';
    return kExitFailure;
  }
  try {
    fb::os::ProcessEnvironment process_environment;
    GenerationHost host(process_environment, options);
    RunObserver observer(outputs);
    int last_step = 0;
    host.component().after_step = [&](int step) {
      last_step = step;
      observer.AfterStep(host.app(), step);
    };
    const int status = host.Generate(tree, io);
    if (host.run_failed()) {
      io.err << "fishbone: the run stopped in step " << last_step + 1 << " ("
             << kivo2d::StepName(last_step + 1) << ")\n";
    }
    if (status != kExitOk) return status;
    if (observer.failure()) {
      io.err << "fishbone: " << *observer.failure() << '\n'
             << "fishbone: the report was generated but not saved: the run failed\n";
      return kExitFailure;
    }
    if (!outputs.report) outputs.report = host.app().active_workbook().name() + ".xlsx";
    if (const auto failure = WriteReport(host.app(), outputs, io)) {
      // The component has already said it succeeded; say plainly that the report is not saved.
      io.err << "fishbone: " << *failure << '\n'
             << "fishbone: the report was generated but not saved: the run failed\n";
      return kExitFailure;
    }
    io.out << input_name << ": " << SummaryText(tree) << '\n';
    return kExitOk;
  } catch (const fb::HostError& failure) {
    io.err << "fishbone: " << failure.description() << '\n';
    return kExitFailure;
  }
}

}  // namespace fishbone
