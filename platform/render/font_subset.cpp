#include "platform/render/font_subset.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <harfbuzz/hb-subset.h>
#include <harfbuzz/hb.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-font.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace fb::render {

namespace {

// What a cairo face made from a subset keeps alive until cairo lets go of the face. Each face
// has a FreeType library of its own: faces of one library must not be made or freed by two
// threads at once, and a batch draws its PDFs in several threads.
struct FaceOwner {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  hb_blob_t* bytes = nullptr;

  ~FaceOwner() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
    hb_blob_destroy(bytes);
  }
};

const cairo_user_data_key_t kFaceOwnerKey{};

// A cairo face reading the font in `bytes` (taken over), or null when FreeType refuses them.
cairo_font_face_t* cairo_face_of(hb_blob_t* bytes) {
  auto owner = std::make_unique<FaceOwner>();
  owner->bytes = bytes;
  unsigned length = 0;
  const char* data = hb_blob_get_data(bytes, &length);
  if (length == 0 || FT_Init_FreeType(&owner->library) != 0 ||
      FT_New_Memory_Face(owner->library, reinterpret_cast<const FT_Byte*>(data),
                         static_cast<FT_Long>(length), 0, &owner->face) != 0) {
    return nullptr;
  }
  cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(owner->face, 0);
  if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face);
    return nullptr;
  }
  // From here the face frees what it reads when cairo drops it.
  FaceOwner* handed_over = owner.release();
  if (cairo_font_face_set_user_data(face, &kFaceOwnerKey, handed_over, [](void* p) {
        delete static_cast<FaceOwner*>(p);
      }) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face);
    delete handed_over;
    return nullptr;
  }
  return face;
}

hb_face_t* hb_face_of(PangoFont* font) {
  hb_font_t* hb_font = pango_font_get_hb_font(font);
  return hb_font == nullptr ? nullptr : hb_font_get_face(hb_font);
}

// Emboldening draws outlines the font does not have; cairo then embeds drawings of the glyphs
// instead of the font, which costs no copy of it, so such a font is left as it is.
bool emboldened(PangoFont* font) {
  FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(font));
  FcBool embolden = FcFalse;
  return pattern != nullptr &&
         FcPatternGetBool(pattern, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden;
}

bool has_table(hb_face_t* face, const char* tag) {
  hb_blob_t* table = hb_face_reference_table(face, hb_tag_from_string(tag, 4));
  const bool present = hb_blob_get_length(table) > 0;
  hb_blob_destroy(table);
  return present;
}

// Only fonts of plain outlines are cut down: a colour, bitmap or variable font keeps what a
// subset of its outline tables would lose.
bool plain_outlines(hb_face_t* face) {
  if (!has_table(face, "CFF ") && !has_table(face, "glyf")) return false;
  for (const char* tag : {"CFF2", "fvar", "COLR", "CBDT", "sbix", "SVG ", "EBDT"}) {
    if (has_table(face, tag)) return false;
  }
  return true;
}

// The tables a subset is made of: the outlines, their metrics and hinting, the names. The
// layout tables and the character map stay out: the runs come shaped, and cairo maps each
// glyph to its characters by the run's clusters. The subsetter reads every entry of the source's
// character map, tens of thousands in a CJK font, which took most of its time.
hb_blob_t* subset_source_table(hb_face_t*, hb_tag_t tag, void* font) {
  static const hb_tag_t kKept[] = {
      HB_TAG('h', 'e', 'a', 'd'), HB_TAG('h', 'h', 'e', 'a'), HB_TAG('h', 'm', 't', 'x'),
      HB_TAG('m', 'a', 'x', 'p'), HB_TAG('n', 'a', 'm', 'e'), HB_TAG('O', 'S', '/', '2'),
      HB_TAG('p', 'o', 's', 't'), HB_TAG('C', 'F', 'F', ' '), HB_TAG('g', 'l', 'y', 'f'),
      HB_TAG('l', 'o', 'c', 'a'), HB_TAG('c', 'v', 't', ' '), HB_TAG('f', 'p', 'g', 'm'),
      HB_TAG('p', 'r', 'e', 'p'), HB_TAG('g', 'a', 's', 'p')};
  if (std::find(std::begin(kKept), std::end(kKept), tag) == std::end(kKept)) {
    return hb_blob_get_empty();
  }
  return hb_face_reference_table(static_cast<hb_face_t*>(font), tag);
}

// The font file of a pango font as FreeType holds it for cairo, locked while this lives. A
// subset is read from there rather than from the shaper's own mapping of the same file: each
// mapping counts the pages it has touched as the process's memory, and FreeType has touched the
// glyphs of the page already while the text was measured.
class LockedFontFile {
 public:
  explicit LockedFontFile(PangoFont* font) {
    scaled_ = PANGO_IS_CAIRO_FONT(font) ? pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font))
                                        : nullptr;
    if (scaled_ == nullptr || cairo_scaled_font_get_type(scaled_) != CAIRO_FONT_TYPE_FT) {
      scaled_ = nullptr;
      return;
    }
    FT_Face face = cairo_ft_scaled_font_lock_face(scaled_);
    if (face == nullptr) {  // not locked
      scaled_ = nullptr;
      return;
    }
    // A stream without a read function is the whole file in memory.
    if (face->stream == nullptr || face->stream->read != nullptr || face->stream->base == nullptr) {
      return;
    }
    hb_blob_t* file = hb_blob_create(reinterpret_cast<const char*>(face->stream->base),
                                     static_cast<unsigned>(face->stream->size),
                                     HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    face_ = hb_face_create(file, static_cast<unsigned>(face->face_index & 0xFFFF));
    hb_blob_destroy(file);
  }
  ~LockedFontFile() {
    hb_face_destroy(face_);
    if (scaled_ != nullptr) cairo_ft_scaled_font_unlock_face(scaled_);
  }
  LockedFontFile(const LockedFontFile&) = delete;
  LockedFontFile& operator=(const LockedFontFile&) = delete;

  // The face, or null when FreeType reads the file piecemeal.
  hb_face_t* face() const { return face_; }

 private:
  cairo_scaled_font_t* scaled_ = nullptr;
  hb_face_t* face_ = nullptr;
};

// The font of `shaped` (the face pango shaped with, whose glyph numbers the runs carry) cut down
// to `glyphs` and what they are built of, or null when it cannot be.
std::unique_ptr<SubsetFont> make_subset(hb_face_t* shaped, PangoFont* font,
                                        const hb_set_t* glyphs) {
  const LockedFontFile file(font);
  hb_face_t* source_font = file.face() != nullptr && hb_face_get_glyph_count(file.face()) ==
                                                         hb_face_get_glyph_count(shaped)
                               ? file.face()
                               : shaped;
  if (!plain_outlines(source_font)) return nullptr;
  hb_face_t* source =
      hb_face_create_for_tables(subset_source_table, hb_face_reference(source_font),
                                [](void* f) { hb_face_destroy(static_cast<hb_face_t*>(f)); });
  hb_subset_input_t* input = hb_subset_input_create_or_fail();
  hb_subset_plan_t* plan = nullptr;
  if (input != nullptr) {
    hb_set_union(hb_subset_input_glyph_set(input), glyphs);
    // Flat outlines spare the subsetter sorting out which shared subroutines the glyphs call.
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_DESUBROUTINIZE);
    plan = hb_subset_plan_create_or_fail(source, input);
    hb_subset_input_destroy(input);
  }
  hb_face_t* subset = plan == nullptr ? nullptr : hb_subset_plan_execute_or_fail(plan);
  std::unordered_map<std::uint32_t, std::uint32_t> moved;
  if (subset != nullptr) {
    const hb_map_t* mapping = hb_subset_plan_old_to_new_glyph_mapping(plan);
    hb_codepoint_t glyph = HB_SET_VALUE_INVALID;
    while (hb_set_next(glyphs, &glyph)) {
      if (hb_map_has(mapping, glyph)) moved.emplace(glyph, hb_map_get(mapping, glyph));
    }
  }
  hb_subset_plan_destroy(plan);
  hb_face_destroy(source);
  if (subset == nullptr) return nullptr;
  hb_blob_t* bytes = hb_face_reference_blob(subset);
  hb_face_destroy(subset);
  cairo_font_face_t* face = cairo_face_of(bytes);
  if (face == nullptr) return nullptr;
  return std::make_unique<SubsetFont>(face, std::move(moved));
}

}  // namespace

SubsetFont::SubsetFont(cairo_font_face_t* face,
                       std::unordered_map<std::uint32_t, std::uint32_t> glyphs)
    : face_(face), glyphs_(std::move(glyphs)) {}

SubsetFont::~SubsetFont() {
  cairo_font_face_destroy(face_);
}

bool SubsetFont::glyph(std::uint32_t original, std::uint32_t& subset) const {
  const auto found = glyphs_.find(original);
  if (found == glyphs_.end()) return false;
  subset = found->second;
  return true;
}

struct FontSubsets::Collected {
  PangoFont* font = nullptr;  // one font of the face, to reach its file through
  hb_set_t* glyphs = hb_set_create();
  ~Collected() {
    hb_set_destroy(glyphs);
    if (font != nullptr) g_object_unref(font);
  }
};

FontSubsets::FontSubsets() = default;
FontSubsets::~FontSubsets() = default;

void FontSubsets::collect(PangoLayout* layout) {
  if (built_) throw std::logic_error("glyphs collected after the font subsets were made");
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  do {
    const PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
    if (run == nullptr) continue;  // a line's end
    hb_face_t* face = hb_face_of(run->item->analysis.font);
    if (face == nullptr) continue;
    std::unique_ptr<Collected>& entry = collected_[face];
    if (!entry) {
      entry = std::make_unique<Collected>();
      entry->font = static_cast<PangoFont*>(g_object_ref(run->item->analysis.font));
    }
    for (int i = 0; i < run->glyphs->num_glyphs; ++i) {
      const PangoGlyph glyph = run->glyphs->glyphs[i].glyph;
      if (glyph == PANGO_GLYPH_EMPTY || (glyph & PANGO_GLYPH_UNKNOWN_FLAG) != 0) continue;
      hb_set_add(entry->glyphs, glyph);
    }
  } while (pango_layout_iter_next_run(iter));
  pango_layout_iter_free(iter);
}

void FontSubsets::build() {
  if (built_) return;
  built_ = true;
  for (auto& [face, collected] : collected_) {
    std::unique_ptr<SubsetFont> subset = make_subset(face, collected->font, collected->glyphs);
    if (subset) subsets_.emplace(face, std::move(subset));
  }
  collected_.clear();
}

const SubsetFont* FontSubsets::find(PangoFont* font) const {
  if (font == nullptr || !PANGO_IS_FC_FONT(font) || emboldened(font)) return nullptr;
  const auto found = subsets_.find(hb_face_of(font));
  return found == subsets_.end() ? nullptr : found->second.get();
}

}  // namespace fb::render
