#pragma once

#include <memory>
#include <string>
#include <vector>

#include "embedded/clipboard.h"
#include "embedded/runtime.h"
#include "host/command_bars.h"

namespace tabulara::embedded {

// The host's command bars: the worksheet menu bar (item 1, "Worksheet Menu
// Bar", with its built-in menus File to Help) and the cell context menu
// ("Cell", with its built-in items, control 855 "Format Cells..." among
// them), with the host's rules for controls.
//
// Every member of the references handed out enters an operation a test can
// make fail (Runtime::FailOn): "CommandBars.Item", "CommandBars.Advise",
// "CommandBar.Name", "CommandBar.Protection.Put", "CommandBar.FindControl",
// "CommandBar.Controls", "CommandBarControls.Count", "CommandBarControls.Add",
// "CommandBarControls.NewEnum", "CommandBarControls.Next",
// "CommandBarControl.Caption.Get" and ".Put", ".Tag.Get" and ".Put",
// ".BeginGroup.Put", ".Visible.Get" and ".Put", ".Index", ".Type",
// ".Parent", ".Delete" (for buttons and pop-ups alike),
// "CommandBarPopup.Controls", "CommandBarPopup.CommandBar",
// "CommandBarButton.Style.Put", ".FaceId.Put", ".PasteFace", ".Advise".
// A reference to a deleted control or bar raises Office's automation error
// -2147221080 "Automation error".
class CommandBarSet {
 public:
  CommandBarSet(std::shared_ptr<Runtime> runtime, std::shared_ptr<Clipboard> clipboard);
  ~CommandBarSet();
  CommandBarSet(const CommandBarSet&) = delete;
  CommandBarSet& operator=(const CommandBarSet&) = delete;

  // A new reference to the CommandBars collection.
  host::Ref<host::CommandBars> CommandBars();

  // What the host does on its own: raise OnUpdate to every subscriber.
  // Errors of a handler pass through.
  void Update();
  // A user's click on the control reached by captions from a bar, e.g.
  // {"Worksheet Menu Bar", "Tabulara", "Miscellaneous", "Run MSN"}: raises
  // the button's Click. Throws std::invalid_argument when no visible button
  // is there. Errors of the handler pass through.
  void Click(const std::vector<std::string>& path);
  // Before the cell context menu shows: its comment items fit the cell,
  // "Insert Comment" on a cell without a comment, "Edit Comment", "Delete
  // Comment" and "Show/Hide Comments" on one with a comment.
  void FitCellMenu(bool cellHasComment);
  // The host exits: every temporary control goes, wherever it is; references
  // to them raise from then on.
  void DropTemporaryControls();

  // A snapshot of a bar for tests and the command line.
  struct ControlView {
    int type = 0;
    int id = 0;
    std::string caption;
    std::string tag;
    bool visible = true;
    bool beginGroup = false;
    bool temporary = false;
    int style = 0;
    int faceId = 0;
    bool pastedFace = false;
    // The bar behind a pop-up.
    std::string barName;
    std::vector<ControlView> controls;
  };
  struct BarView {
    std::string name;
    int protection = 0;
    std::vector<ControlView> controls;
  };
  BarView View(const std::string& barName) const;

 private:
  struct Model;
  std::shared_ptr<Model> model_;
};

}  // namespace tabulara::embedded
