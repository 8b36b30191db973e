#version 330 core
// Lit meshes, skinned when hasAnim is set. Bones arrive transposed into column-major order.
layout (location = 0) in vec3 aPosition;
layout (location = 1) in vec3 aNormal;
layout (location = 2) in vec3 aTangent;
layout (location = 3) in vec3 aBitangent;
layout (location = 4) in vec2 aUV;
layout (location = 5) in ivec4 aBoneIds;
layout (location = 6) in vec4 aWeights;

const int MAX_BONES = 100;

uniform mat4 view;
uniform mat4 proj;
uniform mat4 model;
uniform mat4 lightProj;
uniform mat4 lightView;
uniform int hasAnim;
uniform mat4 bones[MAX_BONES];

out VS_OUT
{
    vec3 worldPosition;
    vec2 uv;
    mat3 tbn;
    vec4 lightSpacePosition;
} vsOut;

// A vertex without weights keeps its bind pose.
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
    mat4 world = model * Skin();
    vec4 position = world * vec4(aPosition, 1.0);
    mat3 normalMatrix = transpose(inverse(mat3(world)));
    vsOut.worldPosition = position.xyz;
    vsOut.uv = aUV;
    vsOut.tbn = mat3(normalMatrix * aTangent, normalMatrix * aBitangent, normalMatrix * aNormal);
    vsOut.lightSpacePosition = lightProj * lightView * position;
    gl_Position = proj * view * position;
}
