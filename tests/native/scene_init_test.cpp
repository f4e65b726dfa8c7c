// What sceneInit leaves behind: the fixed GL state the frame draw relies on,
// and the 18 textures, each the picture of its own resource and mipmapped.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "projection.h"
#include "scene.h"
#include "support/offscreen_gl.h"
#include "support/picture_source.h"
#include "support/shell_double.h"

namespace {

// The texture set in load order: texture index = position.
const int kLoadOrder[18] = {104, 108, 107, 109, 110, 111, 112, 113, 114,
                            115, 116, 117, 118, 121, 119, 120, 122, 123};

class SceneInit : public ::testing::Test {
protected:
    SceneInit() : gl(64, 64) {}

    void SetUp() override
    {
        ASSERT_TRUE(gl.ready()) << "no offscreen Mesa context";
        resetPictureSource();
        clearKeyState(keys);
    }

    void TearDown() override
    {
        if (initialised) sceneRelease();
        resetPictureSource();
    }

    void init()
    {
        setProjection(gl.width(), gl.height());
        ASSERT_TRUE(sceneInit(window, keys));
        initialised = true;
    }

    GLint textureParameter(std::size_t index, GLenum name) const
    {
        glBindTexture(GL_TEXTURE_2D, theScene().textureNames[index]);
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }

    GLint levelParameter(std::size_t index, GLint level, GLenum name) const
    {
        glBindTexture(GL_TEXTURE_2D, theScene().textureNames[index]);
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
        return value;
    }

    OffscreenGl gl;
    QuitRecorder window;
    KeyState keys;
    bool initialised = false;
};

Rgb colourOfResource(int id)
{
    return {id, 255 - id, (id * 2) % 256};
}

TEST_F(SceneInit, SetsTheFixedStateTheFrameDrawReliesOn)
{
    init();

    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0] + clear[1] + clear[2], 0.0f);
    EXPECT_FLOAT_EQ(clear[3], 0.5f);
    GLfloat clearDepth = 0;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &clearDepth);
    EXPECT_FLOAT_EQ(clearDepth, 1.0f);

    GLfloat light[4] = {};
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, light);
    EXPECT_EQ(std::vector<GLfloat>(light, light + 4), (std::vector<GLfloat>{1, 1, 1, 1}));
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, light);
    EXPECT_EQ(std::vector<GLfloat>(light, light + 4), (std::vector<GLfloat>{1, 1, 1, 1}));
    // Given under the identity, so kept as is in eye coordinates: 100 units ahead.
    glGetLightfv(GL_LIGHT0, GL_POSITION, light);
    EXPECT_EQ(std::vector<GLfloat>(light, light + 4), (std::vector<GLfloat>{0, 0, -100, 1}));

    EXPECT_NE(theScene().sphereQuadric, nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneInit, EachTextureIndexHoldsThePictureOfItsResource)
{
    PictureSource& source = pictureSource();
    source.useFiles = false;
    for (int id : kLoadOrder) source.solidColours[id] = colourOfResource(id);
    init();

    for (std::size_t index = 0; index < 18; ++index) {
        SCOPED_TRACE(index);
        const GLint width = levelParameter(index, 0, GL_TEXTURE_WIDTH);
        const GLint height = levelParameter(index, 0, GL_TEXTURE_HEIGHT);
        ASSERT_GT(width * height, 0);
        std::vector<GLubyte> texels(static_cast<std::size_t>(width) * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        // Every texel: rows read with the wrong padding would bring in stray bytes.
        const Rgb expected = colourOfResource(kLoadOrder[index]);
        int wrong = 0;
        for (std::size_t at = 0; at < texels.size(); at += 3) {
            wrong += texels[at] != expected.r || texels[at + 1] != expected.g || texels[at + 2] != expected.b;
        }
        EXPECT_EQ(wrong, 0) << "of " << width * height;
    }
}

TEST_F(SceneInit, EveryPictureIsFilteredThroughAFullMipmapChain)
{
    init();
    for (std::size_t index = 0; index < 18; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(textureParameter(index, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
        EXPECT_EQ(textureParameter(index, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(textureParameter(index, GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(textureParameter(index, GL_TEXTURE_WRAP_T), GL_REPEAT);

        const GLint width = levelParameter(index, 0, GL_TEXTURE_WIDTH);
        const GLint height = levelParameter(index, 0, GL_TEXTURE_HEIGHT);
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        EXPECT_EQ(width & (width - 1), 0) << "sides are scaled to powers of two";
        EXPECT_EQ(height & (height - 1), 0);
        const int last = static_cast<int>(std::log2(std::max(width, height)));
        EXPECT_EQ(levelParameter(index, last, GL_TEXTURE_WIDTH), std::max(1, width >> last));
        EXPECT_EQ(levelParameter(index, last, GL_TEXTURE_HEIGHT), std::max(1, height >> last));
    }
    // The Moon map of 281 × 128 is the one picture the builder has to scale.
    EXPECT_EQ(levelParameter(11, 0, GL_TEXTURE_HEIGHT), 128);
}

TEST_F(SceneInit, AMissingPictureLeavesOnlyItsOwnNameWithoutAnImage)
{
    pictureSource().missingResources = {117};
    init();
    EXPECT_EQ(levelParameter(11, 0, GL_TEXTURE_WIDTH), 0);
    EXPECT_GT(levelParameter(10, 0, GL_TEXTURE_WIDTH), 0);
    EXPECT_GT(levelParameter(12, 0, GL_TEXTURE_WIDTH), 0);
}

} // namespace
