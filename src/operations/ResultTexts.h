// The texts the camera's result and status codes are shown with.
#pragma once

#include <string>

// AWRS and AHRS: the white balance's result.
std::string WhiteBalanceResultText(int code);
// SDRS: the shading calibration's result.
std::string ShadingResultText(int code);
// PGS, PBS, PGS00, PBS00: a pixel calibration's status (0 while it runs).
std::string CalibrationResultText(int code);
// CS0 .. CS3: a counter's state.
std::string CounterStatusText(int code);
