#pragma once

#include <QIcon>
#include <functional>

namespace fb::ui::qt {

// The pictures of command-bar face ids, drawn here in one style: the host's own icons, not the
// original program's. Face 20 (the add-in's "add" button) is a small fishbone, face 65 (its
// "about" button) an information sign; any other face a neutral square.
QIcon face_icon(int face_id);

// The program's own icon: a fishbone on a tile, in the same palette.
QIcon application_icon();

}  // namespace fb::ui::qt
