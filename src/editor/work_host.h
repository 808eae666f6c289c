#pragma once

#include <string>
#include <string_view>

#include "platform/ui/dialogs.h"

namespace kivo2d {

class Work;

// What the editor window needs of the add-in around it. The add-in implements it over the host
// application, its command bars and the component's other windows; the editor stays free of the
// host engine, and its commands can be tried with a small fake.
class WorkHost {
 public:
  virtual ~WorkHost() = default;

  virtual fb::ui::Dialogs& dialogs() = 0;
  // Enables or disables the first control of the command bar "Fishbone" (the button that opens
  // the editor).
  virtual void SetOpenEditorButtonEnabled(bool enabled) = 0;
  // Deletes the exchange file, the temporary logo picture and the recent-file shortcut where
  // present.
  virtual void DeleteLeftovers() = 0;
  // The host's version text ("11.0", "12.0" ...).
  virtual std::string HostVersion() = 0;
  // Looks an open workbook up by name (add-in workbooks included); throws fb::HostError when the
  // lookup fails.
  virtual void FindWorkbook(std::string_view name) = 0;
  // Shows a help topic owned by the editor; the missing-file and failure messages are the add-in's.
  // True when the help file was missing.
  virtual bool ShowHelpTopicMissing(std::string_view topic, const Work& owner) = 0;
  // Opens the About window in its "from the editor" mode, modeless.
  virtual void ShowAboutFromEditor() = 0;
  // The generation command.
  virtual void Generate(Work& editor) = 0;
};

}  // namespace kivo2d
