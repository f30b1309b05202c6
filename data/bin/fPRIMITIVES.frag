#version 330 core
uniform vec3 uniColor;

out vec4 fragColor;

void main()
{
    fragColor = vec4(uniColor, 1.0);
}
