#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "apps/fishbone/generation_host.h"
#include "src/component/generation_options.h"
#include "src/editor/tree_file.h"

namespace fishbone {

struct LayoutFit {
  kivo2d::GenerationOptions choices;  // the panel's choices the fit keeps
  std::size_t overlaps = 0;           // ... and the overlaps their diagram has
  std::size_t given_overlaps = 0;     // the overlaps with the choices the user gave
  int layouts = 0;                    // how many layouts were tried
};

// --fit: the tree laid out at each of the panel's sizes and line lengths, and on both sides when
// the user did not choose one; the layout with the fewest overlaps wins, a tie going to the one
// nearest the user's own choices (the panel's defaults where the user gave none). Nothing when no
// layout could be made (the real run then reports why).
std::optional<LayoutFit> FitLayout(const kivo2d::TreeDocument& tree,
                                   const GenerationHostSettings& settings, bool side_chosen);

// "--size 8 --wrap 10 --head left": the choices as the command line gives them.
std::string ChoiceFlags(const kivo2d::GenerationOptions& choices);

}  // namespace fishbone
