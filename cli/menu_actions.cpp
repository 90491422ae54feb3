#include "cli/menu_actions.h"

#include <ostream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "cli/terminal_text.h"

namespace tabulara::cli {
namespace {

using ControlView = embedded::CommandBarSet::ControlView;

// The host's cell context menu.
constexpr const char* kCellMenu = "Cell";

std::vector<std::string> PathParts(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1) {
    parts.push_back(path.substr(start, slash - start));
  }
  parts.push_back(path.substr(start));
  return parts;
}

// A caption as a menu shows it: "&" marks the next character as the
// accelerator, "&&" shows one "&".
std::string ShownCaption(const std::string& caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;
    shown += caption[i];
  }
  return shown;
}

enum class Hidden { Marked, Left };

void PrintControl(std::ostream& out, const ControlView& control, int depth, Hidden hidden = Hidden::Marked) {
  if (!control.visible && hidden == Hidden::Left) return;
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  if (control.beginGroup) out << indent << "----\n";
  out << indent << TerminalText(ShownCaption(control.caption)) << (control.visible ? "" : " (hidden)") << '\n';
  for (const ControlView& item : control.controls) PrintControl(out, item, depth + 1, hidden);
}

// Clicks the button at `path` (a bar's name, then captions); the error
// names it as `item` and tells `where` it was looked for.
void ClickPath(HostSession& session, const std::vector<std::string>& path, const std::string& item,
               const std::string& where = "") {
  bool missing = false;
  session.CallAddin([&] {
    try {
      session.host().commandBars().Click(path);
    } catch (const std::invalid_argument&) {
      missing = true;
    }
  });
  if (missing) throw std::invalid_argument("no menu item \"" + item + "\" is shown" + where);
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
  ClickPath(session, path, captionOrPath);
}

void ClickContextMenuItem(HostSession& session, const std::vector<std::string>& captions, const std::string& cell) {
  std::vector<std::string> path = {kCellMenu};
  path.insert(path.end(), captions.begin(), captions.end());
  std::string shown;
  for (const std::string& caption : captions) shown += (shown.empty() ? "" : "/") + caption;
  ClickPath(session, path, shown, " in the context menu of " + cell);
}

void PrintContextMenu(std::ostream& out, HostSession& session) {
  const embedded::CommandBarSet::BarView bar = session.host().commandBars().View(kCellMenu);
  out << TerminalText(bar.name) << ":\n";
  // A hidden control's group line shows above the next control shown.
  bool groupLine = false;
  for (ControlView control : bar.controls) {
    groupLine = groupLine || control.beginGroup;
    if (!control.visible) continue;
    control.beginGroup = std::exchange(groupLine, false);
    PrintControl(out, control, 1, Hidden::Left);
  }
}

void PrintMenus(std::ostream& out, HostSession& session) {
  PrintTagged(out, session.host().commandBars().View("Worksheet Menu Bar"), addin::kMainPopupTag);
  PrintTagged(out, session.host().commandBars().View(kCellMenu), addin::kCommentPopupTag);
}

}  // namespace tabulara::cli
