#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

#include "com/com_ptr.h"
#include "embedded/embedded_host.h"
#include "quorvel.h"

namespace tabulara::automation {

// The spreadsheet host played through real COM: the embedded host's model
// exposed through IDispatch with the host's type information, and the COM
// add-ins found and connected the way the host does: the per-user add-in
// keys, the ProgID, CoCreateInstance, IDTExtensibility2.
class AutomationHost {
 public:
  AutomationHost();
  ~AutomationHost();
  AutomationHost(const AutomationHost&) = delete;
  AutomationHost& operator=(const AutomationHost&) = delete;

  embedded::EmbeddedHost& host() { return host_; }
  IDispatch* application() const { return application_.get(); }

  // The ProgIDs under the host's add-in key that load at start-up.
  static std::vector<std::wstring> StartupAddIns();
  // Creates the add-in's connection object from its ProgID.
  void Load(const std::wstring& progId);
  void Connect(ext_ConnectMode mode);
  void StartupComplete();
  void Disconnect();
  // Lets go of the connection object, as the host does after disconnection.
  void Unload();

  // Makes a registered COM class known to the host's automation add-ins
  // list, which creates it by its ProgID when the add-in is installed.
  void KnowAutomationClass(const std::string& progId);

  // A user's click on an item of a command bar, by the captions' path.
  void Click(const std::vector<std::string>& path);

 private:
  std::shared_ptr<platform::Clipboard> clipboard_;
  embedded::EmbeddedHost host_;
  com::ComPtr<IDispatch> application_;
  com::ComPtr<_IDTExtensibility2> addIn_;
};

}  // namespace tabulara::automation
