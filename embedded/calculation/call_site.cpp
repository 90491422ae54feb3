#include "embedded/calculation/call_site.h"

namespace tabulara::embedded::calculation {

std::optional<CallSite> FindCall(const std::vector<Piece>& pieces, std::size_t name) {
  if (name + 1 >= pieces.size() || pieces[name + 1].op != ixion::fop_open) return std::nullopt;
  CallSite site;
  site.open = name + 1;
  int depth = 0;
  std::size_t start = site.open + 1;
  for (std::size_t index = site.open; index < pieces.size(); ++index) {
    const ixion::fopcode_t op = pieces[index].op;
    if (op == ixion::fop_open) ++depth;
    if (op == ixion::fop_sep && depth == 1) {
      site.arguments.emplace_back(start, index);
      start = index + 1;
    }
    if (op == ixion::fop_close && --depth == 0) {
      if (index > site.open + 1) site.arguments.emplace_back(start, index);
      site.end = index + 1;
      return site;
    }
  }
  return std::nullopt;
}

}  // namespace tabulara::embedded::calculation
