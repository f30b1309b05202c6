#version 330 core
// One glyph quad: x, y in pixels, u, v into the glyph's coverage texture.
layout(location = 0) in vec4 vertex;

uniform mat4 proj;
uniform mat4 camView;
uniform mat4 transform;

out vec2 uv;

void main()
{
    gl_Position = proj * camView * transform * vec4(vertex.xy, 0.0, 1.0);
    uv = vertex.zw;
}
