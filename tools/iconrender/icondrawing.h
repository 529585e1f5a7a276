#pragma once

#include <QImage>

// The application icon, a racing car seen from above on a rounded track tile,
// at size x size pixels. Large sizes follow the scalable drawing; 16, 24 and
// 32 pixels are laid out on the pixel grid with fewer, bolder shapes so that
// the car still reads as a car.
QImage DrawAppIcon(int size);
