#pragma once

#include <string>
#include <vector>

#include "addin/gridwright.h"
#include "embedded/embedded_host.h"
#include "support/test_platform.h"

namespace tabulara::testing {

// The add-in as the host loads it: a platform over fresh folders, the
// embedded host with the add-in's classes registered, and the connection
// class. Loading runs Main; the test
// connects and disconnects as the host would.
class AddinHarness {
 public:
  explicit AddinHarness(const std::string& locale = "en_US.UTF-8");
  ~AddinHarness();

  // Runs Main, as the host's loading of the add-in does.
  void Load();
  void Connect(int connectMode);
  void StartupComplete();
  void Disconnect();

  // Loads and connects the add-in after the host's start-up, as from its
  // add-in dialog.
  void Start();
  // Opens a workbook of these worksheets, then starts the add-in.
  embedded::model::Workbook& StartWith(const std::vector<std::string>& sheetNames);
  // A user's click on an item of the add-in's menu.
  void Click(const std::string& caption);
  // Stores the per-user text that shows and hides the menu's items.
  void SetVisibility(const std::string& text);
  // The texts of the message boxes shown so far.
  std::vector<std::string> MessageTexts() const;

  // The controls of a command bar as the host shows them now.
  embedded::CommandBarSet::BarView Bar(const std::string& name) const;
  // Controls of the worksheet menu bar that carry the add-in's tag.
  std::vector<embedded::CommandBarSet::ControlView> MainPopups() const;
  // The add-in's one pop-up, and the first control in it with this caption
  // at any depth (a test failure when there is none).
  embedded::CommandBarSet::ControlView Popup() const;
  embedded::CommandBarSet::ControlView Control(const std::string& caption) const;

  TestPlatform platform;
  embedded::EmbeddedHost host;
  addin::Gridwright connection;
  std::vector<host::Variant> custom;
};

}  // namespace tabulara::testing
