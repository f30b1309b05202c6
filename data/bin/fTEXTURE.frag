#version 330 core
in vec2 uv;

uniform sampler2D image;
uniform vec3 uniColor;
uniform float Alpha;

out vec4 fragColor;

void main()
{
    fragColor = texture(image, uv) * vec4(uniColor, Alpha);
}
