#include "render/pass_plan.h"

#include <optional>

#include "render/color_bytes.h"

namespace ventora {
namespace {

class Planner {
 public:
  Planner(const DrawList& list, const PassSettings& settings,
          std::map<TargetId, TargetState> targets)
      : list_(list), settings_(settings), targets_(std::move(targets)) {}

  std::vector<Pass> plan() && {
    const auto& commands = list_.commands;
    if (settings_.plain && (commands.empty() || commands.front().op != DrawOp::Clear)) {
      clear(kBlack);
      screen_untouched_ = false;
    }
    for (std::size_t i = 0; i < commands.size(); ++i) command(i);
    into_screen();
    release_backdrop();
    if (screen_untouched_) clear(kBlack);
    return std::move(passes_);
  }

 private:
  void command(std::size_t i) {
    const DrawCommand& cmd = list_.commands[i];
    if (dropping_) {
      if (cmd.op == DrawOp::EndTarget) {
        dropping_ = false;
        into_screen();
      }
      return;
    }
    if (cmd.op == DrawOp::Planet && cmd.planet == nullptr) return;
    if (backdrop_ && cmd.op != DrawOp::Planet) release_backdrop();
    if (!target_ && cmd.op != DrawOp::BeginTarget && cmd.op != DrawOp::EndTarget) touch_screen(cmd);
    switch (cmd.op) {
      case DrawOp::Clear:
        clear(cmd.color);
        if (target_) set_opaque(cmd.color.a >= 1.0f);
        break;
      case DrawOp::Planet: planet(i); break;
      case DrawOp::BeginTarget: begin_target(cmd); break;
      case DrawOp::EndTarget: into_screen(); break;
      case DrawOp::BlitTarget:
        if (covers_screen(cmd)) {
          backdrop_ = cmd.target;
        } else {
          shapes(i);
        }
        break;
      case DrawOp::Circle:
      case DrawOp::CircleLines:
      case DrawOp::Triangle:
      case DrawOp::Line:
      case DrawOp::Rectangle:
      case DrawOp::RectangleLines:
      case DrawOp::RectanglePro:
      case DrawOp::Text: shapes(i); break;
    }
  }

  // Black under the first thing drawn on the screen, unless that clears or covers it anyway.
  void touch_screen(const DrawCommand& cmd) {
    if (!screen_untouched_) return;
    screen_untouched_ = false;
    if (cmd.op != DrawOp::Clear && !covers_screen(cmd)) clear(kBlack);
  }

  // A blit that paints every screen pixel with an opaque target's texels unchanged: the exact
  // screen rectangle, a white tint.
  bool covers_screen(const DrawCommand& cmd) const {
    if (cmd.op != DrawOp::BlitTarget || target_ || settings_.plain) return false;
    if (to_bytes(cmd.color) != RgbaBytes{255, 255, 255, 255}) return false;
    if (cmd.rect != Rect{0, 0, settings_.screen_width, settings_.screen_height}) return false;
    const auto it = targets_.find(cmd.target);
    return it != targets_.end() && it->second.opaque;
  }

  void planet(std::size_t i) {
    // The painter blends with plain SRC_ALPHA factors, which can leave a target translucent.
    if (target_) set_opaque(false);
    if (backdrop_ && !settings_.planet_direct) {
      Pass& pass = push(PassKind::BackdropAndPlanet);
      pass.first = i;
      pass.target = *backdrop_;
      backdrop_.reset();
      return;
    }
    release_backdrop();
    push(settings_.planet_direct ? PassKind::PlanetDirect : PassKind::Planet).first = i;
  }

  void begin_target(const DrawCommand& cmd) {
    const int w = static_cast<int>(cmd.target_width), h = static_cast<int>(cmd.target_height);
    const int most = settings_.max_target_size;
    if (w <= 0 || h <= 0 || w > most || h > most) {
      dropping_ = true;
      return;
    }
    // A new size starts the target afresh: transparent.
    TargetState& state = targets_[cmd.target];
    if (state.width != w || state.height != h) state = {w, h, false};
    Pass& pass = push(PassKind::IntoTarget);
    pass.target = cmd.target;
    pass.width = w;
    pass.height = h;
    pass.opaque = state.opaque;
    target_ = passes_.size() - 1;
  }

  void into_screen() {
    if (!target_) return;
    push(PassKind::IntoScreen);
    target_.reset();
  }

  void set_opaque(bool opaque) {
    Pass& into = passes_[*target_];
    into.opaque = opaque;
    targets_[into.target].opaque = opaque;
  }

  void clear(Color color) { push(PassKind::Clear).color = color; }

  // Joins the batch the last pass holds when nothing came between.
  void shapes(std::size_t i) {
    if (!passes_.empty() && passes_.back().kind == PassKind::Shapes && passes_.back().end == i) {
      passes_.back().end = i + 1;
    } else {
      Pass& pass = push(PassKind::Shapes);
      pass.first = i;
      pass.end = i + 1;
    }
  }

  Pass& push(PassKind kind) {
    passes_.emplace_back().kind = kind;
    return passes_.back();
  }

  void release_backdrop() {
    if (!backdrop_) return;
    push(PassKind::Backdrop).target = *backdrop_;
    backdrop_.reset();
  }

  const DrawList& list_;
  const PassSettings& settings_;
  std::map<TargetId, TargetState> targets_;  // as they will be when the passes so far have run
  std::vector<Pass> passes_;
  std::optional<std::size_t> target_;  // the IntoTarget pass drawn into now; none on the screen
  bool dropping_ = false;              // inside a target too large to make
  bool screen_untouched_ = true;
  // A backdrop blit held back one command, so that a planet drawn next can share its pass.
  std::optional<TargetId> backdrop_;
};

}  // namespace

std::vector<Pass> plan_passes(const DrawList& list, const PassSettings& settings,
                              const std::map<TargetId, TargetState>& targets) {
  return Planner(list, settings, targets).plan();
}

}  // namespace ventora
