#version 330 core
// A unit quad scaled and placed by "transform"; the texture coordinate is
// moved to the current sheet cell by "TexCoordShift".
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;

uniform mat4 projection;
uniform mat4 camView;
uniform mat4 transform;
uniform vec2 TexCoordShift;

out vec2 uv;

void main()
{
    gl_Position = projection * camView * transform * vec4(position, 1.0);
    uv = texCoord + TexCoordShift;
}
