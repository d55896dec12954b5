#include "display/wheel_state.h"

namespace display {

NatalWheelState Wheel;

void ResetNatalWheelState() { Wheel = NatalWheelState{}; }

}  // namespace display
