#version 330 core
in vec2 uv;

uniform vec4 matDiffuse;
uniform int hasDiffMap;
uniform sampler2D diffuseTex;
uniform float gamma;

out vec4 fragColour;

void main()
{
    vec4 colour = matDiffuse;
    if (hasDiffMap == 1)
        colour *= texture(diffuseTex, uv);
    fragColour = vec4(pow(colour.rgb, vec3(1.0 / max(gamma, 0.0001))), colour.a);
}
