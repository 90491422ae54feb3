#include "addin/main.h"

#include "addin/globals.h"
#include "catalogue/language_choice.h"
#include "platform/platform.h"

namespace tabulara::addin {
namespace {

// The captions of the items the visibility text governs, by index.
void FillItemCaptions() {
  static constexpr const char* kCaptionKeys[] = {"lang004", "lang005", "lang006", "lang007", "lang008", "lang009",
                                                 "lang010", "lang011", "lang012", "lang013", "lang014", "lang015",
                                                 "lang018", "lang016", "lang017", "lang093"};
  std::size_t index = 0;
  for (const char* key : kCaptionKeys) gItemCaptions[index++] = Message(key);
  gItemCaptions[index++] = "Open My Documents";
  gItemCaptions[index++] = "Open Installation Folder";
  for (const char* key : {"lang024", "lang025", "lang021"}) gItemCaptions[index++] = Message(key);
  while (index < kItemCaptionCount) gItemCaptions[index++].clear();
}

}  // namespace

void CreateCatalogue() {
  gLanguage = std::make_shared<catalogue::MultLanguage>();
  gLanguage->Language(catalogue::ChooseLanguage());
}

void Main() {
  platform::Current().Randomize();
  CreateCatalogue();
  gAppTitle = Message("lang00A");
  gAppError = Message("lang00B");
  FillItemCaptions();
}

}  // namespace tabulara::addin
