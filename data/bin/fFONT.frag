#version 330 core
in vec2 uv;

// One red channel holding the glyph's coverage.
uniform sampler2D glyph;
uniform vec3 uniColor;
uniform float Alpha;

out vec4 fragColor;

void main()
{
    fragColor = vec4(uniColor, Alpha * texture(glyph, uv).r);
}
