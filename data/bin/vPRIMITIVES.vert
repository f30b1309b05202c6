#version 330 core
// Lines of the debug drawing and the editor, in world pixels.
layout(location = 0) in vec3 position;

uniform mat4 projection;
uniform mat4 camView;

void main()
{
    gl_Position = projection * camView * vec4(position, 1.0);
}
