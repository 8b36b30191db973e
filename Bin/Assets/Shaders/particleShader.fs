#version 330 core
in vec2 uv;
in vec4 particleColour;

uniform sampler2D myTextureSampler;
uniform int discardAlpha;

out vec4 fragColour;

void main()
{
    vec4 colour = texture(myTextureSampler, uv) * particleColour;
    // Keeps nearly clear texels out of the depth buffer.
    if (discardAlpha == 1 && colour.a < 0.1)
        discard;
    fragColour = colour;
}
