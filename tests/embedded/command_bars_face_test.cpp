#include <cstdint>
#include <vector>

#include "command_bars_fixture.h"

namespace tabulara::embedded {
namespace {

const char* const kPasteFaceFailed = "Method 'PasteFace' of object '_CommandBarButton' failed";

std::vector<std::uint8_t> Bitmap() {
  std::vector<std::uint8_t> bytes(58, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  return bytes;
}

TEST_F(CommandBarsTest, PasteFaceTakesThePictureOnTheClipboard) {
  const host::Ref<host::CommandBarButton> button = AddButton(CellMenu()->Controls());
  clipboard->picture = Bitmap();
  button->PasteFace();
  EXPECT_TRUE(set.View("Cell").controls.back().pastedFace);
  EXPECT_EQ(clipboard->picture, Bitmap());
}

TEST_F(CommandBarsTest, PasteFaceWithoutAPictureFails) {
  const host::Ref<host::CommandBarButton> button = AddButton(CellMenu()->Controls());
  ExpectHostError(-2147467259, kPasteFaceFailed, [&] { button->PasteFace(); });
  clipboard->picture = std::vector<std::uint8_t>{'G', 'I', 'F', '8'};
  ExpectHostError(-2147467259, kPasteFaceFailed, [&] { button->PasteFace(); });
  EXPECT_FALSE(set.View("Cell").controls.back().pastedFace);
}

TEST_F(CommandBarsTest, StyleAndFaceIdAreKept) {
  const host::Ref<host::CommandBarButton> button = AddButton(CellMenu()->Controls());
  button->Style(host::msoButtonIconAndCaption);
  button->FaceId(1115);
  const CommandBarSet::ControlView view = set.View("Cell").controls.back();
  EXPECT_EQ(view.style, host::msoButtonIconAndCaption);
  EXPECT_EQ(view.faceId, 1115);
  EXPECT_FALSE(view.pastedFace);
}

}  // namespace
}  // namespace tabulara::embedded
