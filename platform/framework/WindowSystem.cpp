#include "platform/framework/WindowSystem.h"

#include "platform/framework/Headless.h"

namespace korvo {
namespace {
TWindowSystem* g_installed = nullptr;
}  // namespace

TWindowSystem* WindowSystem() { return g_installed != nullptr ? g_installed : HeadlessWindowSystem(); }

TWindowSystem* InstallWindowSystem(TWindowSystem* system) {
  TWindowSystem* previous = WindowSystem();
  g_installed = system;
  return previous;
}

}  // namespace korvo
