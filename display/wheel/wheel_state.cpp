#include "display/wheel/wheel_state.h"

namespace display {

NatalWheelState Wheel;

void ResetNatalWheelState() { Wheel = NatalWheelState{}; }

}  // namespace display
