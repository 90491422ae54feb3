#pragma once

namespace tabulara::xlsx {

// The VML preset number (o:spt) of an MsoAutoShapeType; a comment's plain
// box, the rectangle, is the text box preset 202.
int VmlPresetOfAutoShapeType(int autoShapeType);
// The MsoAutoShapeType of a VML preset number; 202 and unknown presets are
// the rectangle.
int AutoShapeTypeOfVmlPreset(int preset);

}  // namespace tabulara::xlsx
