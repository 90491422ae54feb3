// The scenarios run on both hosts, here with the add-in in this process.
#include <gtest/gtest.h>

#include "settings/user_settings.h"
#include "support/connected_addin.h"
#include "two_hosts/addin_driver.h"

namespace tabulara::testing {
namespace {

class InProcessDriver : public AddinDriver {
 public:
  embedded::EmbeddedHost& host() override { return addin_.host; }
  void Connect(int connectMode) override {
    if (!loaded_) addin_.Load();
    loaded_ = true;
    addin_.Connect(connectMode);
  }
  void StartupComplete() override { addin_.StartupComplete(); }
  void Disconnect() override { addin_.Disconnect(); }
  bool Click(const std::vector<std::string>& path) override {
    try {
      addin_.host.commandBars().Click(path);
      return true;
    } catch (const host::HostError&) {
      return false;
    }
  }
  void WriteSetting(const std::string& section, const std::string& key, const std::string& value) override {
    settings::WriteSetting(section, key, value);
  }
  std::vector<std::string> MessageTexts() override { return addin_.MessageTexts(); }

 private:
  AddinHarness addin_;
  bool loaded_ = false;
};

class InProcess : public ::testing::TestWithParam<Scenario> {};

TEST_P(InProcess, Scenario) {
  InProcessDriver driver;
  GetParam().run(driver);
}

INSTANTIATE_TEST_SUITE_P(TwoHosts, InProcess, ::testing::ValuesIn(Scenarios()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tabulara::testing
