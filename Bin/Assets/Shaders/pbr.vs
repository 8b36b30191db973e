#version 330 core
// Metal and roughness shading with one directional light.
layout (location = 0) in vec3 aPosition;
layout (location = 1) in vec3 aNormal;

uniform mat4 view;
uniform mat4 proj;
uniform mat4 model;

out vec3 worldPosition;
out vec3 normal;

void main()
{
    vec4 position = model * vec4(aPosition, 1.0);
    worldPosition = position.xyz;
    normal = transpose(inverse(mat3(model))) * aNormal;
    gl_Position = proj * view * position;
}
