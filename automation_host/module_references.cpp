// The objects this program hands out count as the DLL's objects do; the
// program itself stays loaded whatever the count.
#include <atomic>

#include "com/module.h"

namespace tabulara::com {
namespace {
std::atomic<long> references{0};
}  // namespace

void AddModuleReference() { ++references; }
void ReleaseModuleReference() { --references; }

}  // namespace tabulara::com
