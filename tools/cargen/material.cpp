#include "material.h"

int Material::Shade(double light) const
{
    if (shades.isEmpty())
        return 0;
    if (shades.size() == 1)
        return shades.first();
    if (shades.size() == 2)
        return light >= 0.55 ? shades[0] : shades[1];
    if (light >= 0.72)
        return shades[0];
    return light >= 0.30 ? shades[1] : shades[2];
}
