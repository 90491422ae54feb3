#include <string>
#include <vector>

#include "embedded/addin_list.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

TEST(AddInList, AddListsARegisteredProgIdOnceInTheOrderOfAdding) {
  const std::shared_ptr<Runtime> runtime = std::make_shared<Runtime>();
  AddInList list{runtime};
  list.Register("Quorvel.Formula");
  list.Register("Other.Functions");
  const host::Ref<host::AddIns> addIns = list.AddIns();
  EXPECT_THAT([&] { addIns->Add("Quorvel.Missing", false); },
              RaisesHostError(1004, "Add method of AddIns class failed"));
  addIns->Add("Other.Functions", false);
  const host::Ref<host::AddIn> addIn = addIns->Add("Quorvel.Formula", false);
  EXPECT_FALSE(addIn->Installed());
  addIn->Installed(true);
  const host::Ref<host::AddIn> again = addIns->Add("quorvel.formula", false);
  EXPECT_TRUE(again->Installed());
  EXPECT_EQ(again->progID(), "Quorvel.Formula");
  std::vector<std::string> progIDs;
  for (const host::Ref<host::AddIn>& listed : host::Each(addIns)) progIDs.push_back(listed->progID());
  EXPECT_EQ(progIDs, (std::vector<std::string>{"Other.Functions", "Quorvel.Formula"}));
  ASSERT_EQ(list.View().size(), 2u);
  EXPECT_FALSE(list.View()[0].installed);
  EXPECT_TRUE(list.View()[1].installed);
  runtime->FailOn("AddIn.Installed.Put", host::HostError(1004, "refused"));
  EXPECT_THROW(addIn->Installed(false), host::HostError);
  EXPECT_TRUE(list.View()[1].installed);
  EXPECT_EQ(runtime->LiveReferences(), 3);
}

}  // namespace
}  // namespace tabulara::embedded
