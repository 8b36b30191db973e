#version 330 core
// Depth only.
void main()
{
}
