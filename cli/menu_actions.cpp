#include "cli/menu_actions.h"

#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "cli/terminal_text.h"

namespace tabulara::cli {
namespace {

using ControlView = embedded::CommandBarSet::ControlView;

std::vector<std::string> PathParts(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1) {
    parts.push_back(path.substr(start, slash - start));
  }
  parts.push_back(path.substr(start));
  return parts;
}

void PrintControl(std::ostream& out, const ControlView& control, int depth) {
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  if (control.beginGroup) out << indent << "----\n";
  out << indent << TerminalText(control.caption) << (control.visible ? "" : " (hidden)") << '\n';
  for (const ControlView& item : control.controls) PrintControl(out, item, depth + 1);
}

void PrintTagged(std::ostream& out, const embedded::CommandBarSet::BarView& bar, const char* tag) {
  for (const ControlView& control : bar.controls) {
    if (control.tag != tag) continue;
    out << TerminalText(bar.name) << ":\n";
    PrintControl(out, control, 1);
  }
}

}  // namespace

std::string MenuCaption(const char* key) { return addin::Message(key); }

void ClickMenuItem(HostSession& session, const std::string& captionOrPath) {
  std::vector<std::string> path = {"Worksheet Menu Bar"};
  const auto parts = PathParts(captionOrPath);
  if (parts.size() == 1) path.push_back(MenuCaption("lang001"));
  path.insert(path.end(), parts.begin(), parts.end());

  std::optional<std::string> missing;
  session.CallAddin([&] {
    try {
      session.host().commandBars().Click(path);
    } catch (const std::invalid_argument&) {
      missing = captionOrPath;
    }
  });
  if (missing) throw std::invalid_argument("no menu item \"" + *missing + "\" is shown");
}

void PrintMenus(std::ostream& out, HostSession& session) {
  PrintTagged(out, session.host().commandBars().View("Worksheet Menu Bar"), addin::kMainPopupTag);
  PrintTagged(out, session.host().commandBars().View("Cell"), addin::kCommentPopupTag);
}

}  // namespace tabulara::cli
