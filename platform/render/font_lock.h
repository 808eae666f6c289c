#pragma once

// cairo keeps the fonts of the whole process in caches that every thread shares: one table of
// the scaled fonts, with the last 256 that nobody uses kept for reuse, and one pool of their
// glyphs. The cairo of our platform (1.16) takes the locks of those two in opposite orders: a
// thread that finally frees a font locks the font and then the glyph pool, while a thread that
// makes room in the full pool locks the pool and then the font whose glyphs it drops. When both
// meet on one font, both wait forever. Fonts are finally freed once the table of unused ones is
// full, which the PDF writer's fonts (new ones for every page: see font_subset.h) fill after a
// few dozen pages; from then on every PDF frees fonts while other threads draw text, and a
// batch of many PDFs in parallel stopped within minutes.
//
// So every call into cairo or pango that measures, draws, makes or lets go of a font holds this
// one lock. Everything else a sink does (shapes, pictures, pixels, files) runs in parallel.

#include <mutex>

namespace fb::render {

// Held while fonts are used; the same thread may take it again while it holds it.
std::unique_lock<std::recursive_mutex> lock_fonts();

}  // namespace fb::render
