#version 330 core
// A plain textured mesh, for trying out a model without lights.
layout (location = 0) in vec3 aPosition;
layout (location = 4) in vec2 aUV;

uniform mat4 view;
uniform mat4 proj;
uniform mat4 model;

out vec2 uv;

void main()
{
    uv = aUV;
    gl_Position = proj * view * model * vec4(aPosition, 1.0);
}
