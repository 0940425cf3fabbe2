// The twelve kinds: layer lists (back to front) and palettes.
#include <array>

#include "planet/core/planet.h"

namespace planet {
namespace {

using Names = std::span<const std::string_view>;

constexpr std::string_view kRiverLayers[] = {"Land", "Cloud"};
constexpr std::string_view kDryLayers[] = {"Land"};
constexpr std::string_view kIslandLayers[] = {"Water", "Land", "Cloud"};
constexpr std::string_view kCraterLayers[] = {"Ground", "Craters"};
constexpr std::string_view kGasLayers[] = {"Cloud", "Cloud2"};
constexpr std::string_view kRingedLayers[] = {"GasLayers", "Ring"};
constexpr std::string_view kIceLayers[] = {"Land", "Lakes", "Clouds"};
constexpr std::string_view kLavaLayers[] = {"Land", "Craters", "LavaRivers"};
constexpr std::string_view kAsteroidLayers[] = {"Asteroid"};
constexpr std::string_view kBlackHoleLayers[] = {"BlackHole", "Disk"};
constexpr std::string_view kGalaxyLayers[] = {"Galaxy"};
constexpr std::string_view kStarLayers[] = {"Blobs", "Star", "StarFlares"};

constexpr std::string_view kRiverPalette[] = {"#63AB3F", "#3B7D4F", "#2F5753", "#283540", "#4FA4B8",
                                              "#404973", "#F5FFE8", "#DFE0E8", "#686F99", "#404973"};
constexpr std::string_view kDryPalette[] = {"#FF8933", "#E64539", "#AD2F45", "#52333F", "#3D2936"};
constexpr std::string_view kIslandPalette[] = {"#92E8C0", "#4FA4B8", "#2C354D", "#C8D45D",
                                               "#63AB3F", "#2F5753", "#283540", "#DFE0E8",
                                               "#A3A7C2", "#686F99", "#404973"};
constexpr std::string_view kCraterPalette[] = {"#A3A7C2", "#4C6885", "#3A3F5E", "#4C6885",
                                               "#3A3F5E"};
constexpr std::string_view kGasPalette[] = {"#3B2027", "#3B2027", "#000000", "#211818",
                                            "#F0B541", "#CF752B", "#AB5130", "#7D3833"};
constexpr std::string_view kRingedPalette[] = {"#EEC39A", "#D9A066", "#8F563B",
                                               "#663A31", "#45283C", "#222034"};
constexpr std::string_view kIcePalette[] = {"#FAFFFF", "#C7D4E1", "#928FB8", "#4FA4B8", "#4C6885",
                                            "#3A3F5E", "#E1F2FF", "#C0E3FF", "#5E70A5", "#404973"};
constexpr std::string_view kLavaPalette[] = {"#8F4D57", "#52333F", "#3D2936", "#52333F",
                                             "#3D2936", "#FF8933", "#E64539", "#AD2F45"};
constexpr std::string_view kAsteroidPalette[] = {"#A3A7C2", "#4C6885", "#3A3F5E"};
constexpr std::string_view kBlackHolePalette[] = {"#272736", "#FFFFFF", "#ED7B39", "#FFFFFF",
                                                  "#F5F540", "#B8B84A", "#ED7B39", "#BD4035"};
constexpr std::string_view kGalaxyPalette[] = {"#030312", "#111B35", "#253E69", "#8D4B8F",
                                               "#E07472", "#FFDDA1", "#FFFFFF"};
constexpr std::string_view kStarPalette[] = {"#4B110D", "#A72B18", "#EF7138", "#FFD56C", "#FFFFFF"};

struct KindInfo {
  std::string_view name;
  Names layers;
  Names palette;
};

// Indexed by PlanetKind.
constexpr std::array<KindInfo, kPlanetKindCount> kKinds{{
    {"RiverPlanet", kRiverLayers, kRiverPalette},
    {"DryPlanet", kDryLayers, kDryPalette},
    {"IslandPlanet", kIslandLayers, kIslandPalette},
    {"CraterPlanet", kCraterLayers, kCraterPalette},
    {"GasGiant", kGasLayers, kGasPalette},
    {"RingedGiant", kRingedLayers, kRingedPalette},
    {"IcePlanet", kIceLayers, kIcePalette},
    {"LavaPlanet", kLavaLayers, kLavaPalette},
    {"Asteroid", kAsteroidLayers, kAsteroidPalette},
    {"BlackHole", kBlackHoleLayers, kBlackHolePalette},
    {"Galaxy", kGalaxyLayers, kGalaxyPalette},
    {"Star", kStarLayers, kStarPalette},
}};

constexpr bool every_palette_entry_parses() {
  for (const KindInfo& kind : kKinds) {
    for (std::string_view hex : kind.palette) {
      if (!parse_hex_color(hex)) return false;
    }
  }
  return true;
}
static_assert(every_palette_entry_parses(), "a palette entry is no #RRGGBB or #RRGGBBAA colour");

const KindInfo& info(PlanetKind kind) { return kKinds.at(static_cast<std::size_t>(kind)); }

}  // namespace

std::string_view kind_name(PlanetKind kind) { return info(kind).name; }

std::optional<PlanetKind> kind_from_name(std::string_view name) {
  for (int i = 0; i < kPlanetKindCount; ++i) {
    if (kKinds[i].name == name) return static_cast<PlanetKind>(i);
  }
  return std::nullopt;
}

std::span<const std::string_view> kind_layer_names(PlanetKind kind) { return info(kind).layers; }

std::span<const std::string_view> kind_palette(PlanetKind kind) { return info(kind).palette; }

}  // namespace planet
