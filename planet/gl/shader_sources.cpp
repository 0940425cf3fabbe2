#include "planet/gl/shader_sources.h"

namespace planet {
namespace {

struct NamedSource {
  std::string_view name;
  std::string_view source;
};

#include "planet_shader_sources.inc"

static_assert(std::size(kFragmentSources) == kLayerMaterialCount);

}  // namespace

std::string_view vertex_source() { return kVertexSource; }

std::string_view art_blit_source() { return kArtBlitSource; }

std::string_view art_compose_source() { return kArtComposeSource; }

std::string_view fragment_source(LayerMaterial material) {
  const std::string_view name = material_info(material).name;
  for (const NamedSource& entry : kFragmentSources) {
    if (entry.name == name) return entry.source;
  }
  return {};
}

}  // namespace planet
