#version 330 core
// The faces are sRGB, so samples arrive linear and take the same gamma as the lit scene.
in vec3 direction;

uniform samplerCube skyboxTex;
uniform int renderSkybox;
uniform float gamma;

out vec4 fragColour;

void main()
{
    if (renderSkybox == 0)
        discard;
    vec3 colour = texture(skyboxTex, direction).rgb;
    fragColour = vec4(pow(colour, vec3(1.0 / max(gamma, 0.0001))), 1.0);
}
