#include "projection.h"

#include "gl_headers.h"
#include "scene_tables.h"

void setProjection(int width, int height)
{
    // A framed window can be dragged to no height at all; keep the aspect finite.
    if (height <= 0) height = 1;

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / static_cast<double>(height), kNearPlane,
                   kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
