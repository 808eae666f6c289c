#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "apps/fishbone/cli.h"
#include "apps/fishbone/same_file.h"
#include "apps/fishbone/staged_pictures.h"

namespace fb::sheet {
class Application;
}

namespace fishbone {

// The files a generation run writes besides the host's own state. Empty: not wanted.
struct RunOutputs {
  std::optional<std::filesystem::path> report;         // the report workbook as .xlsx
  std::optional<std::filesystem::path> pdf;            // the report page as PDF
  std::optional<std::filesystem::path> png;            // ... and as PNG (144 dpi)
  std::optional<std::filesystem::path> pictures;       // folder: PIC1..PIC3 as .emf, .svg, .png
  std::optional<std::filesystem::path> data;           // the generation workbook as .xlsx
  std::optional<std::filesystem::path> trace;          // folder: each step's sheet, each chart
  std::optional<std::filesystem::path> layout_report;  // the diagram's overlaps as JSON
  // Say on standard error when the diagram's texts overlap (generate does; demo keeps quiet).
  bool report_overlaps = false;
  // The tree file as given ("-" for standard input): a report made again from a report must not
  // take its default name when that is the file it was read from.
  std::string input = "-";
};

// Whether a run writes a file of this name into the trace folder ("NN-StepName.csv",
// "NN-StepName-CHART.png"), or into the pictures folder ("PIC1.emf" ... "PIC3.png").
bool TraceWrites(const std::string& name);
bool PicturesWrite(const std::string& name);

// Every file and folder the outputs name, with what the run writes into the folders.
OutputTargets TargetsOf(const RunOutputs& outputs);

// Watches a run step by step and writes what can only be seen while it runs: the trace, the
// generation workbook before the chart pictures step closes it, and the pictures while they are
// on the clipboard (kept aside as a set until MovePicturesIntoPlace). A file that cannot be
// written must not fail the run it observes, so the first failure is kept for the caller to
// report afterwards.
class RunObserver {
 public:
  explicit RunObserver(const RunOutputs& outputs) : outputs_(outputs) {}

  void AfterStep(fb::sheet::Application& app, int step);
  const std::optional<std::string>& failure() const { return failure_; }
  // Once everything else the run writes is saved: the pictures into their folder, as one set.
  // Throws fb::HostError naming the folder.
  void MovePicturesIntoPlace();

 private:
  void WriteTrace(fb::sheet::Application& app, int step);
  void WritePictures(fb::sheet::Application& app);

  const RunOutputs& outputs_;
  std::unique_ptr<StagedPictures> pictures_;
  std::optional<std::string> failure_;
};

// Makes the folders the outputs go to that may be made beforehand (the trace and pictures
// folders), so that a wrong folder stops the command before the run. Returns a message naming
// the folder, or nothing.
std::optional<std::string> PrepareOutputFolders(const RunOutputs& outputs);

// After a successful run: writes the active workbook (the report) as .xlsx, and its active
// sheet's page as PDF and PNG, each file written beside its target and renamed into place.
// Prints one line per file to io.out. Returns the first failure's message, naming the file.
std::optional<std::string> WriteReport(fb::sheet::Application& app, const RunOutputs& outputs,
                                       Io& io);

}  // namespace fishbone
