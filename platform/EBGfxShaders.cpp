#include <GL/glew.h>

#include <string>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"

namespace {
struct Statement {
    const char* text;
    int tabsAfter;
};

// The statements run together on one line, each padded with tabs.
template <size_t N>
std::string Join(const Statement (&statements)[N]) {
    std::string text;
    for (const Statement& s : statements) {
        text += s.text;
        text.append(static_cast<size_t>(s.tabsAfter), '\t');
    }
    return text;
}

constexpr Statement kColorVertex[] = {
    {"uniform mat4 uPMatrix;", 22},
    {"uniform mat4 uVMatrix;", 22},
    {"uniform mat4 uWorldMatrix; ", 21},
    {"attribute vec4 aPosition;", 21},
    {"attribute vec4 aColor;", 22},
    {"varying vec4 vColor;", 22},
    {"void main()", 25},
    {"{", 28},
    {"vColor = aColor;", 23},
    {"gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;", 16},
    {"}", 0},
};

constexpr Statement kTextureVertex[] = {
    {"uniform mat4 uPMatrix;", 22},
    {"uniform mat4 uVMatrix;", 22},
    {"uniform mat4 uWorldMatrix;", 21},
    {"attribute vec4 aPosition;", 21},
    {"attribute vec2 aTextureCoordinate;", 19},
    {"varying vec2 vTextureCoordinate;", 19},
    {"void main()", 25},
    {"{", 28},
    {"vTextureCoordinate = aTextureCoordinate;", 17},
    {"gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;", 16},
    {"}", 0},
};

constexpr Statement kColorFragment[] = {
    {"/*precision mediump float;\t*/", 20},
    {"uniform vec4 uBlendColor;", 21},
    {"uniform float uTransparencyValue;", 19},
    {"uniform vec4 uTintColor;", 21},
    {"varying vec4 vColor;", 22},
    {"void main()", 25},
    {"{", 17},
    {"gl_FragColor.x = (vColor.x * (1.0 - uBlendColor.w) + uBlendColor.x * uBlendColor.w) * "
     "uTintColor.x;",
     17},
    {"gl_FragColor.y = (vColor.y * (1.0 - uBlendColor.w) + uBlendColor.y * uBlendColor.w) * "
     "uTintColor.y;",
     17},
    {"gl_FragColor.z = (vColor.z * (1.0 - uBlendColor.w) + uBlendColor.z * uBlendColor.w) * "
     "uTintColor.z;",
     17},
    {"gl_FragColor.w = vColor.w * uTransparencyValue * uTintColor.w;", 16},
    {"}", 0},
};

constexpr Statement kTextureFragment[] = {
    {"/*precision mediump float;*/", 20},
    {"uniform sampler2D uTexture;", 21},
    {"uniform vec4 uBlendColor;", 21},
    {"uniform vec2 uTextureOffset;", 20},
    {"uniform float uTransparencyValue;", 19},
    {"uniform vec4 uTintColor;", 21},
    {"varying vec2 vTextureCoordinate;", 19},
    {"void main()", 25},
    {"{", 17},
    {"vec2 offsetTexCoord = vTextureCoordinate;", 17},
    {"offsetTexCoord.x += uTextureOffset.x;", 18},
    {"offsetTexCoord.y += uTextureOffset.y;", 18},
    {"if(offsetTexCoord.x > 1.0)", 22},
    {"offsetTexCoord.x -= 1.0;", 20},
    {"if(offsetTexCoord.y > 1.0)", 22},
    {"offsetTexCoord.y -= 1.0;", 20},
    {"gl_FragColor = texture2D(uTexture, offsetTexCoord);", 17},
    {"gl_FragColor.x = (gl_FragColor.x * (1.0 - uBlendColor.w) + uBlendColor.x * "
     "uBlendColor.w) * uTintColor.x;",
     17},
    {"gl_FragColor.y = (gl_FragColor.y * (1.0 - uBlendColor.w) + uBlendColor.y * "
     "uBlendColor.w) * uTintColor.y;",
     17},
    {"gl_FragColor.z = (gl_FragColor.z * (1.0 - uBlendColor.w) + uBlendColor.z * "
     "uBlendColor.w) * uTintColor.z;",
     17},
    {"gl_FragColor.w *= (uTransparencyValue * uTintColor.w);", 16},
    {"}", 0},
};

// A shader that does not compile is left out of its program.
void AttachCompiled(GLuint program, GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
        glAttachShader(program, shader);
    } else {
        glDeleteShader(shader);
    }
}

GLuint BuildProgram(const char* vertexSource, const char* fragmentSource) {
    const GLuint program = glCreateProgram();
    AttachCompiled(program, GL_VERTEX_SHADER, vertexSource);
    AttachCompiled(program, GL_FRAGMENT_SHADER, fragmentSource);
    glLinkProgram(program);
    return program;
}

// Function-local strings: alive before any other file's start-up code could read them.
const char* ColorVertexSource() {
    static const std::string source = Join(kColorVertex);
    return source.c_str();
}
const char* TextureVertexSource() {
    static const std::string source = Join(kTextureVertex);
    return source.c_str();
}
const char* ColorFragmentSource() {
    static const std::string source = Join(kColorFragment);
    return source.c_str();
}
const char* TextureFragmentSource() {
    static const std::string source = Join(kTextureFragment);
    return source.c_str();
}
}  // namespace

const char* const EBGfxColorVertexShaderSource = ColorVertexSource();
const char* const EBGfxTextureVertexShaderSource = TextureVertexSource();
const char* const EBGfxColorFragmentShaderSource = ColorFragmentSource();
const char* const EBGfxTextureFragmentShaderSource = TextureFragmentSource();

namespace EBInternal {

void BuildPrograms() {
    GraphicsState& g = Graphics();
    g.programs[0] = 0;
    g.programs[1] = BuildProgram(ColorVertexSource(), ColorFragmentSource());
    g.programs[2] = BuildProgram(TextureVertexSource(), TextureFragmentSource());
}

void DestroyPrograms() {
    GraphicsState& g = Graphics();
    for (unsigned& program : g.programs) {
        if (program == 0) {
            continue;
        }
        GLuint shaders[3] = {0, 0, 0};
        GLsizei count = 0;
        glGetAttachedShaders(program, 3, &count, shaders);
        for (GLsizei i = 0; i < count; ++i) {
            glDeleteShader(shaders[i]);
        }
        glDeleteProgram(program);
        program = 0;
        CheckGLError(326, "Shader::Destroy");
    }
    g.currentSlot = 0;
}

}  // namespace EBInternal
