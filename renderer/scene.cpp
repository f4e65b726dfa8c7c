#include "scene.h"

#include <cmath>
#include <ctime>

#include "shell_services.h"

Scene& theScene()
{
    static Scene scene;
    return scene;
}

namespace {

void setFixedState()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
}

// The position is taken in eye coordinates: a fixed point just in front of
// the Sun, whatever the camera does later.
void setLight()
{
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
}

} // namespace

bool sceneInit(RenderWindow& window, KeyState& keys)
{
    Scene& scene = theScene();
    scene.window = &window;
    scene.keyState = &keys;

    loadTextureSet(scene.textureNames);
    setFixedState();
    setLight();

    scene.sphereQuadric = gluNewQuadric();
    if (scene.sphereQuadric != nullptr) {
        gluQuadricTexture(scene.sphereQuadric, GL_TRUE);
        gluQuadricDrawStyle(scene.sphereQuadric, GLU_FILL);
    }
    compileSphereLists(scene.sphereQuadric);

    seedStarField(scene.stars, static_cast<unsigned>(std::time(nullptr)));

    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    return true;
}

void advanceOrbits(std::uint32_t elapsedMs)
{
    Scene& scene = theScene();
    // A tap since the last step counts as much as a held key. The step still
    // advances the angles after asking to quit.
    if (scene.keyState != nullptr && takeKeyPress(*scene.keyState, kEscapeKey) && scene.window != nullptr)
        postQuit(*scene.window);

    const double elapsed = static_cast<double>(elapsedMs);
    for (const OrbitStep& step : kOrbitSteps) {
        double& angle = scene.angles.*step.angle;
        angle = std::fmod(angle + elapsed / step.divisorMs, 360.0);
    }
}

void sceneRelease()
{
    Scene& scene = theScene();
    releaseSphereLists();
    if (scene.sphereQuadric != nullptr) gluDeleteQuadric(scene.sphereQuadric);
    scene.sphereQuadric = nullptr;
}
