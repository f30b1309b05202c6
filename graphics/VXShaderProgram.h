// One GLSL program built from a vertex and a fragment shader file, and the
// programs and camera matrices the renderer publishes once they are loaded.
#pragma once

#include <GL/glew.h>

#include <string>
#include <utility>
#include <vector>

namespace FrameWork {

struct VXShaderProgram {
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint program = 0;
    GLint status = 0;
    char infoLog[512] = {};

    // Reads and compiles both files.  A file that cannot be opened prints
    // its line and no shader object is made.
    void CompileShaderFiles(const std::string& vertexPath, const std::string& fragmentPath);
    // Creates the program, attaches the shaders that exist and links; a failed
    // link prints the program's log.
    void LinkProgram();
    // Reads the shader's compile status and log; prints the log on failure.
    void CheckCompile(GLuint shader);

    // Location of a uniform of this program (-1 when the program has none);
    // looked up once per name.
    GLint Uniform(const char* name);

    std::vector<std::pair<std::string, GLint>> locations;
};

// Published by VXGraphicsManager::InitShaderGlobals.
extern VXShaderProgram* g_primitivesProgram;
extern VXShaderProgram* g_textureProgram;
extern VXShaderProgram* g_fontProgram;
extern float* g_projectionMatrix;
extern float* g_camViewMatrix;

// True while a GL context is current; every GL call of the renderer is behind
// it, so that animation, text and table logic runs in tests without a window.
bool HasGL();

// A linked program and a current GL context: what every use below requires.
bool Usable(const VXShaderProgram* program);

// Makes the program current (nothing without GL or program).
void UseProgram(VXShaderProgram* program);

// Uniform uploads to a program, whichever program is current at the time (the
// current one is restored); they do nothing without GL or program.
void SetUniformMatrix(VXShaderProgram* program, const char* name, const float* m);
void SetUniformFloat(VXShaderProgram* program, const char* name, float value);
void SetUniformVec2(VXShaderProgram* program, const char* name, float x, float y);
void SetUniformVec3(VXShaderProgram* program, const char* name, float x, float y, float z);

}  // namespace FrameWork
