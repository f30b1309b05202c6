#include "graphics/VXShaderProgram.h"

#include "platform/Platform.h"

#include <cstdio>
#include <filesystem>

namespace FrameWork {

VXShaderProgram* g_primitivesProgram = nullptr;
VXShaderProgram* g_textureProgram = nullptr;
VXShaderProgram* g_fontProgram = nullptr;
float* g_projectionMatrix = nullptr;
float* g_camViewMatrix = nullptr;

bool HasGL() {
    return Platform::GetGLContext() != nullptr;
}

namespace {

bool ReadWholeFile(const std::string& path, std::string& out) {
    std::string why;
    return Platform::ReadTextFile(path, out, why);
}

// A path that is there but cannot be read (a folder, no permission) is
// told apart from a missing one.
void ReportUnreadable(const char* kind, const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::u8path(path), ec))
        std::printf("Error - %s shader file cannot be read: %s\n", kind, path.c_str());
    else
        std::printf("Error - %s shader file not found\n -> %s\n", kind, path.c_str());
}

GLuint CompileOne(GLenum kind, const std::string& source, const std::string& path,
                  VXShaderProgram& record) {
    GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    record.CheckCompile(shader);
    if (record.status == 0) std::printf(" -> %s did not compile\n", path.c_str());
    return shader;
}

}  // namespace

bool Usable(const VXShaderProgram* program) {
    return program && program->program != 0 && program->status != 0 && HasGL();
}

void VXShaderProgram::CompileShaderFiles(const std::string& vertexPath,
                                         const std::string& fragmentPath) {
    std::string vertexSource;
    std::string fragmentSource;
    if (!ReadWholeFile(vertexPath, vertexSource)) {
        ReportUnreadable("Vertex", vertexPath);
        return;
    }
    if (!ReadWholeFile(fragmentPath, fragmentSource)) {
        ReportUnreadable("Fragment", fragmentPath);
        return;
    }
    vertexShader = CompileOne(GL_VERTEX_SHADER, vertexSource, vertexPath, *this);
    fragmentShader = CompileOne(GL_FRAGMENT_SHADER, fragmentSource, fragmentPath, *this);
}

void VXShaderProgram::CheckCompile(GLuint shader) {
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    glGetShaderInfoLog(shader, sizeof(infoLog), nullptr, infoLog);
    if (status == 0) std::printf("%s\n", infoLog);
}

void VXShaderProgram::LinkProgram() {
    program = glCreateProgram();
    // A shader that was never made (file missing) is not attached: attaching
    // name 0 is an error of its own; the link below then fails and says so.
    if (vertexShader != 0) glAttachShader(program, vertexShader);
    if (fragmentShader != 0) glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    glGetProgramInfoLog(program, sizeof(infoLog), nullptr, infoLog);
    if (status == 0) std::printf("%s\n", infoLog);
}

GLint VXShaderProgram::Uniform(const char* name) {
    if (!Usable(this)) return -1;
    for (const auto& entry : locations)
        if (entry.first == name) return entry.second;
    const GLint location = glGetUniformLocation(program, name);
    locations.emplace_back(name, location);
    return location;
}

void UseProgram(VXShaderProgram* program) {
    if (Usable(program)) glUseProgram(program->program);
}

namespace {

// Runs `upload` with `program` current and puts the previous program back.
template <typename Upload>
void WithProgram(VXShaderProgram* program, const char* name, Upload upload) {
    if (!Usable(program)) return;
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    const GLint location = program->Uniform(name);
    if (static_cast<GLuint>(current) != program->program) glUseProgram(program->program);
    upload(location);
    if (static_cast<GLuint>(current) != program->program) glUseProgram(current);
}

}  // namespace

void SetUniformMatrix(VXShaderProgram* program, const char* name, const float* m) {
    if (!m) return;
    WithProgram(program, name, [m](GLint at) { glUniformMatrix4fv(at, 1, GL_FALSE, m); });
}

void SetUniformFloat(VXShaderProgram* program, const char* name, float value) {
    WithProgram(program, name, [value](GLint at) { glUniform1f(at, value); });
}

void SetUniformVec2(VXShaderProgram* program, const char* name, float x, float y) {
    WithProgram(program, name, [x, y](GLint at) { glUniform2f(at, x, y); });
}

void SetUniformVec3(VXShaderProgram* program, const char* name, float x, float y, float z) {
    WithProgram(program, name, [x, y, z](GLint at) { glUniform3f(at, x, y, z); });
}

}  // namespace FrameWork
