#pragma once

#include <QList>

#include "mesh.h"

// The five factory vehicles, in car order. All are symmetric about the car's
// long axis (the editor shows the turns to the left as mirrored turns to the
// right) and about 4.5 units long, on the ground at z = 0.
Mesh SportsCar();
Mesh Buggy();
Mesh Pickup();
Mesh BattleTank();
Mesh HoverCar();

QList<Mesh> FactoryVehicles();
