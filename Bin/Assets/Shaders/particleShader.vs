#version 330 core
// One instanced quad per particle. Mode 0 faces the camera; the other modes span the quad along
// upVector and leftVector.
layout (location = 0) in vec3 aCorner;
layout (location = 1) in vec4 aCentreAndSize;
layout (location = 2) in vec4 aColour;

uniform vec3 CameraRight_worldspace;
uniform vec3 CameraUp_worldspace;
uniform mat4 view;
uniform mat4 proj;
uniform int renderMode;
uniform vec3 upVector;
uniform vec3 leftVector;

out vec2 uv;
out vec4 particleColour;

void main()
{
    vec3 right = renderMode == 0 ? CameraRight_worldspace : leftVector;
    vec3 up = renderMode == 0 ? CameraUp_worldspace : upVector;
    float size = aCentreAndSize.w;
    vec3 position = aCentreAndSize.xyz + right * aCorner.x * size + up * aCorner.y * size;
    uv = aCorner.xy + vec2(0.5);
    particleColour = aColour;
    gl_Position = proj * view * vec4(position, 1.0);
}
