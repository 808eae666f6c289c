#pragma once

#include "platform/raster/picture.h"

namespace fb::ui {

// The window models show the platform's raster pictures under their own names.
using raster::Picture;
using raster::Rgba;

}  // namespace fb::ui
