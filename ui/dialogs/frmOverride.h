#pragma once

// The override dialog: custom wheel, flute size, fixed effectiveness, every
// wheel in the list.

#include "platform/Controls.h"
#include "ui/Window.h"

namespace ui {

class frmOverride final : public Window {
 public:
  explicit frmOverride(Windows& windows);

  // The wheel and cassette frames follow "Override AutoSelect".
  void ShowOverrideFrames();
  // The flute frames follow the two flute check boxes.
  void ShowFluteFrames();
  void cmdOROK_Click();

  platform::Frame fmeWheel{"fmeWheel", "Wheel Parameters"};
  platform::Label lblDiam{"lblDiam", "Diameter, in."};
  platform::Label Label1{"Label1", "Depth, in."};
  platform::Label Label3{"Label3", "No. of Spokes"};
  platform::Label Label4{"Label4", "Hub Diam., in."};
  platform::Frame fmeCassette{"fmeCassette", "Cassette Parameters"};
  platform::Label Label10{"Label10", "Height, in."};
  platform::Label Label11{"Label11", "Width, in."};
  platform::Label Label12{"Label12", "Depth, in."};
  platform::Label Label9{"Label9", "Dimensions"};
  platform::Label Label6{"Label6", "Motor"};
  platform::Label Label7{"Label7", "Horsepower"};
  platform::Frame fmeOverride{"fmeOverride", "Override Options"};
  platform::Frame fmeFlute{"fmeFlute", "Flute Size"};
  platform::CommandButton cmdOROK{"cmdOROK", "OK"};

 protected:
  void Form_Load() override;
};

}  // namespace ui
