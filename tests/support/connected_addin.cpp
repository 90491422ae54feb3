#include "support/connected_addin.h"

#include <gtest/gtest.h>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/main.h"
#include "cli/addin_classes.h"
#include "host/constants.h"

namespace tabulara::testing {

AddinHarness::AddinHarness(const std::string& locale)
    : platform(locale), host(platform.platform().SharedClipboard()) {
  cli::RegisterAddinClasses(host.addIns());
}

AddinHarness::~AddinHarness() {
  addin::gExcelEvents.reset();
  addin::gLanguage.reset();
}

void AddinHarness::Load() { addin::Main(); }

void AddinHarness::Connect(int connectMode) {
  connection.OnConnection(host.Application(), connectMode, host.Application(), custom);
}

void AddinHarness::StartupComplete() { connection.OnStartupComplete(custom); }

void AddinHarness::Disconnect() { connection.OnDisconnection(0, custom); }

void AddinHarness::Start() {
  Load();
  Connect(host::ext_cm_AfterStartup);
}

embedded::model::Workbook& AddinHarness::StartWith(const std::vector<std::string>& sheetNames) {
  auto& book = host.NewWorkbook(sheetNames);
  Start();
  return book;
}

void AddinHarness::SetVisibility(const std::string& text) {
  platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility", text);
}

void AddinHarness::Click(const std::string& caption) {
  host.commandBars().Click({"Worksheet Menu Bar", "Tabulara", caption});
}

std::vector<std::string> AddinHarness::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& message : platform.messages) texts.push_back(message.text);
  return texts;
}

embedded::CommandBarSet::BarView AddinHarness::Bar(const std::string& name) const {
  return host.commandBars().View(name);
}

std::vector<embedded::CommandBarSet::ControlView> AddinHarness::MainPopups() const {
  std::vector<embedded::CommandBarSet::ControlView> popups;
  for (const auto& control : Bar("Worksheet Menu Bar").controls) {
    if (control.tag == addin::kMainPopupTag) popups.push_back(control);
  }
  return popups;
}

namespace {

const embedded::CommandBarSet::ControlView* Find(const std::vector<embedded::CommandBarSet::ControlView>& controls,
                                                 const std::string& caption) {
  for (const auto& control : controls) {
    if (control.caption == caption) return &control;
    if (const auto* found = Find(control.controls, caption)) return found;
  }
  return nullptr;
}

}  // namespace

embedded::CommandBarSet::ControlView AddinHarness::Popup() const {
  const auto popups = MainPopups();
  if (popups.size() == 1) return popups.front();
  ADD_FAILURE() << popups.size() << " pop-ups of the add-in";
  return {};
}

embedded::CommandBarSet::ControlView AddinHarness::Control(const std::string& caption) const {
  const auto popup = Popup();
  if (const auto* found = Find(popup.controls, caption)) return *found;
  ADD_FAILURE() << caption << " is not in the menu";
  return {};
}

}  // namespace tabulara::testing
