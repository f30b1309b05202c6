#version 330 core
in vec2 uv;
in vec4 tint;

uniform sampler2D image;

out vec4 fragColor;

void main()
{
    fragColor = texture(image, uv) * tint;
}
