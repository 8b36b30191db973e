#version 330 core
// The sky around the camera: rotation only, always at the far plane.
layout (location = 0) in vec3 aPosition;

uniform mat4 view;
uniform mat4 proj;

out vec3 direction;

void main()
{
    direction = aPosition;
    vec4 position = proj * mat4(mat3(view)) * vec4(aPosition, 1.0);
    gl_Position = position.xyww;
}
