#pragma once
#include <windows.h>

// From now on, the controls this thread creates take the device's fonts and margins
// (device_controls.cpp says why).
BOOL StartDeviceControls();
void StopDeviceControls();
