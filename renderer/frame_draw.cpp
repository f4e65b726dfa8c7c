#include "frame_draw.h"

#include "frame_steps.h"
#include "gl_headers.h"
#include "scene.h"

namespace {

void bindTexture(const Scene& scene, int textureIndex)
{
    glBindTexture(GL_TEXTURE_2D, scene.textureNames[textureIndex]);
}

// Grey points fixed on the screen at eye depth 165, before the camera applies.
// They write depth, so a planet beyond that plane loses the pixels they cover.
void drawStarField(const Scene& scene)
{
    glDisable(GL_LIGHTING);
    glColor3f(kStarGrey, kStarGrey, kStarGrey);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -kStarPlaneDistance);

    if (scene.drawPath == DrawPath::Compiled) {
        // One array call over the stars as they are kept (x, y); their depth
        // joins the translation, which gives the same eye coordinates exactly.
        glTranslatef(0.0f, 0.0f, kStarDepth);
        glDisable(GL_TEXTURE_2D);
        glVertexPointer(2, GL_FLOAT, sizeof(Star), &scene.stars[0].x);
        glEnableClientState(GL_VERTEX_ARRAY);
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(scene.stars.size()));
        glDisableClientState(GL_VERTEX_ARRAY);
        glEnable(GL_TEXTURE_2D);
        return;
    }
    for (const Star& star : scene.stars) {
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_POINTS);
        glVertex3f(star.x, star.y, kStarDepth);
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }
}

void drawSphereOf(const Scene& scene, double radius)
{
    drawSphere(scene.sphereQuadric, radius, scene.drawPath);
}

// Moons of Earth, Jupiter and Uranus: the planet's own angle turns them about
// its polar axis; each is placed from that same turned frame.
void drawCirclingMoons(const Scene& scene, const Planet& planet)
{
    glRotatef(static_cast<float>(scene.angles.*planet.angle), 0.0f, 0.0f, 1.0f);
    for (std::size_t i = 0; i < planet.moonCount; ++i) {
        const Moon& moon = planet.moons[i];
        glPushMatrix();
        bindTexture(scene, moon.texture);
        glTranslatef(moon.offset.x, moon.offset.y, moon.offset.z);
        drawSphereOf(scene, moon.radius);
        glPopMatrix();
    }
}

// Pluto's moon stays beside Pluto and spins in place at twice Pluto's rate,
// still wearing Pluto's texture.
void drawSpinningMoon(const Scene& scene, const Planet& planet)
{
    const float angle = static_cast<float>(scene.angles.*planet.angle);
    glTranslatef(kPlutoMoonOffset.x, kPlutoMoonOffset.y, kPlutoMoonOffset.z);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    drawSphereOf(scene, kPlutoMoonRadius);
}

// Added over the image and seen from both sides; it hides nothing.
void drawRing(const Scene& scene)
{
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    bindTexture(scene, kRingTexture);
    drawQuad(kRingHalfSize);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

void drawPlanet(const Scene& scene, const Planet& planet)
{
    bindTexture(scene, planet.texture);
    glRotatef(static_cast<float>(scene.angles.*planet.angle), 0.0f, 1.0f, 0.0f);
    glTranslatef(planet.orbitOffset.x, planet.orbitOffset.y, planet.orbitOffset.z);
    glRotatef(planet.tiltDegrees, planet.tiltAxis.x, planet.tiltAxis.y, planet.tiltAxis.z);
    drawSphereOf(scene, planet.radius);

    switch (planet.satellites) {
    case Satellites::None: break;
    case Satellites::CirclingMoons: drawCirclingMoons(scene, planet); break;
    case Satellites::SpinningMoon: drawSpinningMoon(scene, planet); break;
    case Satellites::Ring: drawRing(scene); break;
    }
}

} // namespace

void drawFrame()
{
    const Scene& scene = theScene();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawStarField(scene);
    applyCamera();

    const bool compiled = scene.drawPath == DrawPath::Compiled;
    if (compiled) beginCompiledSpheres();
    glPushMatrix();
    for (std::size_t i = 0; i < kPlanetCount; ++i) {
        if (i > 0) {
            glPopMatrix();
            glPushMatrix();
        }
        drawPlanet(scene, kPlanets[i]);
    }
    if (compiled) endCompiledSpheres();
    glPopMatrix();
    glPushMatrix();
    drawSun(scene);
    glPopMatrix();
}
