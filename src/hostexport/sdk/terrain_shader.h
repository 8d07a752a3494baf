#pragma once

class DzBrickMaterial;

namespace morvane {

class EventLog;
struct TerrainShaderRequest;

// Builds the terrain's shading network in `material`: a simple surface fed
// by a default-material brick (lighting model 4, glossiness 0.95, specular
// 0.25) whose diffuse colour is the terrain texture, and a displacement
// normal from the normal map. 0 on success; -1 with the reason in the log
// when a brick, parameter or property is missing (the material keeps what
// was made).
int buildTerrainShader(DzBrickMaterial* material, const TerrainShaderRequest& request,
                       EventLog& log);

} // namespace morvane
