#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "embedded/addin_list.h"
#include "host/host_error.h"

namespace tabulara::embedded {
namespace {

class AddInListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.Register("Quorvel.Formula");
    list.Register("Other.Functions");
  }

  std::vector<std::string> ProgIDs() {
    std::vector<std::string> progIDs;
    for (const host::Ref<host::AddIn>& addIn : host::Each(list.AddIns())) progIDs.push_back(addIn->progID());
    return progIDs;
  }

  std::shared_ptr<Runtime> runtime = std::make_shared<Runtime>();
  AddInList list{runtime};
};

TEST_F(AddInListTest, StartsWithoutAutomationAddIns) {
  EXPECT_TRUE(ProgIDs().empty());
  EXPECT_TRUE(list.View().empty());
}

TEST_F(AddInListTest, AddListsARegisteredProgIdNotInstalled) {
  const host::Ref<host::AddIn> addIn = list.AddIns()->Add("Quorvel.Formula", false);
  EXPECT_EQ(addIn->progID(), "Quorvel.Formula");
  EXPECT_FALSE(addIn->Installed());
  ASSERT_EQ(list.View().size(), 1u);
  EXPECT_EQ(list.View()[0].progID, "Quorvel.Formula");
  EXPECT_FALSE(list.View()[0].installed);
}

TEST_F(AddInListTest, InstalledFollowsThePut) {
  const host::Ref<host::AddIn> addIn = list.AddIns()->Add("Quorvel.Formula", false);
  addIn->Installed(true);
  EXPECT_TRUE(addIn->Installed());
  EXPECT_TRUE(list.View()[0].installed);
  addIn->Installed(false);
  EXPECT_FALSE(list.View()[0].installed);
}

TEST_F(AddInListTest, AddingAListedAddInAgainReturnsTheSameEntry) {
  list.AddIns()->Add("Quorvel.Formula", false)->Installed(true);
  const host::Ref<host::AddIn> again = list.AddIns()->Add("quorvel.formula", false);
  EXPECT_TRUE(again->Installed());
  EXPECT_EQ(again->progID(), "Quorvel.Formula");
  EXPECT_EQ(list.View().size(), 1u);
}

TEST_F(AddInListTest, EnumerationFollowsTheOrderOfAdding) {
  list.AddIns()->Add("Other.Functions", false);
  list.AddIns()->Add("Quorvel.Formula", true);
  EXPECT_EQ(ProgIDs(), (std::vector<std::string>{"Other.Functions", "Quorvel.Formula"}));
}

TEST_F(AddInListTest, AnUnknownProgIdRaises1004AndListsNothing) {
  try {
    list.AddIns()->Add("Quorvel.Missing", false);
    FAIL() << "expected 1004";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), 1004);
    EXPECT_EQ(error.Description(), "Add method of AddIns class failed");
  }
  EXPECT_TRUE(list.View().empty());
}

TEST_F(AddInListTest, NamedOperationsCanBeMadeToFail) {
  const host::HostError refused(1004, "refused");
  runtime->FailOn("AddIns.Add", refused, 0, 1);
  EXPECT_THROW(list.AddIns()->Add("Quorvel.Formula", false), host::HostError);
  EXPECT_TRUE(list.View().empty());
  const host::Ref<host::AddIn> addIn = list.AddIns()->Add("Quorvel.Formula", false);
  for (const char* operation : {"AddIn.Installed.Put", "AddIn.Installed.Get", "AddIn.progID"}) {
    runtime->FailOn(operation, refused, 0, 1);
  }
  EXPECT_THROW(addIn->Installed(true), host::HostError);
  EXPECT_FALSE(list.View()[0].installed);
  EXPECT_THROW(addIn->Installed(), host::HostError);
  EXPECT_THROW(addIn->progID(), host::HostError);
  runtime->FailOn("AddIns.NewEnum", refused, 0, 1);
  EXPECT_THROW(list.AddIns()->NewEnum(), host::HostError);
  runtime->FailOn("AddIns.Next", refused, 0, 1);
  EXPECT_THROW(list.AddIns()->NewEnum()->Next(), host::HostError);
}

TEST_F(AddInListTest, ReferencesCountUntilReleased) {
  {
    const host::Ref<host::AddIns> addIns = list.AddIns();
    const host::Ref<host::AddIn> addIn = addIns->Add("Quorvel.Formula", false);
    const auto enumerator = addIns->NewEnum();
    EXPECT_EQ(runtime->LiveReferences(), 3);
  }
  EXPECT_EQ(runtime->LiveReferences(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
