#version 120

// Per-pixel lighting of the terrain with the viewport's light 0. The
// viewport links this program but draws with the fixed-function pipeline.

varying vec3 normal;
varying vec3 eyePosition;

void main() {
    normal = normalize(gl_NormalMatrix * gl_Normal);
    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    gl_FrontColor = gl_Color;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
