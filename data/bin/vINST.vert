#version 330 core
// Many copies of one quad: each instance brings its centre and size, its
// colour and the offset of its sheet cell.
layout(location = 0) in vec3 corner;
layout(location = 1) in vec4 centreSize;
layout(location = 2) in vec4 colour;
layout(location = 3) in vec2 cornerUV;
layout(location = 4) in vec2 cellOffset;

uniform mat4 projection;
uniform mat4 camView;

out vec2 uv;
out vec4 tint;

void main()
{
    vec2 world = centreSize.xy + corner.xy * centreSize.zw;
    gl_Position = projection * camView * vec4(world, corner.z, 1.0);
    uv = cornerUV + cellOffset;
    tint = colour;
}
