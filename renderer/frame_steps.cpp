#include "frame_steps.h"

#include "gl_headers.h"

void applyCamera()
{
    glEnable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 1.0f);
    glLoadIdentity();
    gluLookAt(kCameraEye[0], kCameraEye[1], kCameraEye[2],
              kCameraCentre[0], kCameraCentre[1], kCameraCentre[2],
              kCameraUp[0], kCameraUp[1], kCameraUp[2]);
}

void drawQuad(float s)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f); glVertex3f(-s, -s, 0.0f);
    glTexCoord2f(1.0f, 0.0f); glVertex3f(s, -s, 0.0f);
    glTexCoord2f(1.0f, 1.0f); glVertex3f(s, s, 0.0f);
    glTexCoord2f(0.0f, 1.0f); glVertex3f(-s, s, 0.0f);
    glEnd();
}

// The mask multiplies what lies behind the Sun (black behind the disc), then
// the glow is added. Planets in front keep their pixels through the depth test.
void drawSun(const Scene& scene)
{
    glRotatef(static_cast<float>(scene.angles.angleSun), 0.0f, 0.0f, 1.0f);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);

    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, scene.textureNames[kSunMaskTexture]);
    drawQuad(kSunHalfSize);

    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, scene.textureNames[kSunGlowTexture]);
    drawQuad(kSunHalfSize);

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}
