#pragma once

// Zoom steps of the View menu and Ctrl+wheel: whole steps of 1.0 between
// 1.0 and 10.0 (3.0 -> 4.0, 3.4 -> 4.0 in, 3.4 -> 3.0 out); below 1.0 zooming
// out keeps going in steps of 0.1 down to 0.1.
inline constexpr double kDefaultZoom = 3.0;
double ZoomedIn(double zoom);
double ZoomedOut(double zoom);
