#include "platform/platform.h"

#include <stdexcept>

namespace tabulara::platform {
namespace {
std::shared_ptr<Platform>& Installed() {
  static std::shared_ptr<Platform> platform;
  return platform;
}
}  // namespace

Platform& Current() {
  if (!Installed()) throw std::logic_error("no platform installed");
  return *Installed();
}

void Install(std::shared_ptr<Platform> platform) { Installed() = std::move(platform); }

}  // namespace tabulara::platform
