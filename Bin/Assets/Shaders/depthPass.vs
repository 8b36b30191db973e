#version 330 core
// The shadow map's depth from the light's point of view.
layout (location = 0) in vec3 aPosition;
layout (location = 5) in ivec4 aBoneIds;
layout (location = 6) in vec4 aWeights;

const int MAX_BONES = 100;

uniform mat4 lightProj;
uniform mat4 lightView;
uniform mat4 model;
uniform int hasAnim;
uniform mat4 bones[MAX_BONES];

mat4 Skin()
{
    float total = aWeights.x + aWeights.y + aWeights.z + aWeights.w;
    if (hasAnim == 0 || total <= 0.0)
        return mat4(1.0);
    mat4 skin = mat4(0.0);
    for (int i = 0; i < 4; ++i)
        skin += bones[clamp(aBoneIds[i], 0, MAX_BONES - 1)] * aWeights[i];
    return skin;
}

void main()
{
    gl_Position = lightProj * lightView * model * Skin() * vec4(aPosition, 1.0);
}
