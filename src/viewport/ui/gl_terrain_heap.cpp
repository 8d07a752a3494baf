// The process heap under a software GL renderer. llvmpipe bins each frame's
// triangles in scene memory it takes from the heap in 64 KiB blocks and frees
// once the frame is rasterised: tens of MiB for the full terrain. glibc hands
// a free heap top above 128 KiB back to the kernel, so each frame would fault
// all those pages in again, zero-filled: most of a frame's time. Keeping that
// memory at the heap top changes nothing in the picture.

#include "viewport/ui/viewport_gl.h"

#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace morvane {

bool isSoftwareRenderer(const char* renderer) {
    return renderer &&
           (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe"));
}

bool retainHeapForRenderer(const char* renderer) {
#if defined(__GLIBC__)
    if (isSoftwareRenderer(renderer))
        return mallopt(M_TRIM_THRESHOLD, kRetainedHeapBytes) == 1;
#else
    (void)renderer;
#endif
    return false;
}

} // namespace morvane
