#pragma once

#include <qopengl.h>

namespace morvane {

class EventLog;
struct ObjModel;

// Draws the model's groups in list order as runs of triangles. `correctedMode`
// must already be reduced to what the model can honour (correctDrawMode):
// flat gives one facet normal per triangle, smooth a normal per corner,
// texture a coordinate per corner; colour mode lets glColor drive the
// material, material mode stops it.
void drawObjModel(const ObjModel& model, int correctedMode);

// Compiles the custom terrain into a new display list and returns its id
// (0 when no list could be had). The log gets "terrain DL stored in slot
// #<id>"; each draw-mode correction prints its warning on standard output.
GLuint compileTerrainList(const ObjModel& model, int mode, EventLog& log);

} // namespace morvane
