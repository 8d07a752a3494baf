#version 120

// The terrain colour lit by light 0 (directional) with the material's
// specular term.

uniform sampler2D terrainTexture;
uniform bool textured;

varying vec3 normal;
varying vec3 eyePosition;

void main() {
    vec3 n = normalize(normal);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    vec3 v = normalize(-eyePosition);
    vec3 h = normalize(l + v);
    float diffuse = max(dot(n, l), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), max(gl_FrontMaterial.shininess, 1.0))
                                   : 0.0;
    vec4 base = gl_Color;
    if (textured)
        base *= texture2D(terrainTexture, gl_TexCoord[0].st);
    vec3 colour = base.rgb * (gl_LightModel.ambient.rgb + gl_LightSource[0].diffuse.rgb * diffuse)
                  + gl_FrontMaterial.specular.rgb * gl_LightSource[0].specular.rgb * specular;
    gl_FragColor = vec4(colour, base.a);
}
