#pragma once

#include <QList>

#include "mesh.h"
#include "rom/cardata.h"

// The fixed camera every view of every car is seen from: orthographic, raised
// by `elevation` degrees, looking along the screen's up direction. The car
// turns about its pivot, which always lands on the same point of the frame,
// so that consecutive views line up when the editor animates them.
struct Camera
{
    double elevationDegrees = 30.0;
    double pixelsPerUnit = 8.0;
    double centreX = 24.0;          // frame position of the pivot (pixel edges at integers)
    double centreY = 25.0;
    Vec3 pivot{0.0, 0.0, 0.55};     // in car space
    // Towards the light, in world space (x right, y away from the viewer, z up).
    // It has no sideways part, so a mirrored view is lit exactly like the view
    // of the opposite turn and the editor's mirrored rotation steps match.
    Vec3 light = Normalized({0.0, -0.55, 1.0});
    bool outline = true;            // a ring of colour 14 around the silhouette
};

// A 48 x 48 frame of colour indices, row by row (0 = background).
using Frame = QList<int>;

// Draws the mesh turned by yawDegrees (0: driving away from the viewer, growing
// clockwise seen from above, so 90 drives to the right) and pitched by
// pitchDegrees (positive: nose up). Flat shading by face normal, z-buffered.
Frame RenderView(const Mesh &mesh, const Camera &camera, double yawDegrees, double pitchDegrees);

// The frame's indices in the cartridge's strip order.
SpritePixels ToStripOrder(const Frame &frame);
