#pragma once

#include "dzcamera.h"

class DzFloatProperty;

// A camera with a lens of a given focal length on a 35 mm frame (36 x 24 mm).
class DZCORE_EXPORT DzBasicCamera : public DzCamera {
    Q_OBJECT
public:
    // The type and the flag are kept for callers; this host draws every
    // camera alike.
    explicit DzBasicCamera(int cameraType = 0, bool hidden = false);

    int getCameraType() const { return m_type; }
    float getFocalLength() const;
    // Millimetres; refuses (false, console message) a length not above 0.
    bool setFocalLength(float millimetres);
    float getFieldOfView() const override;

    // Moves the camera back along its view direction, keeping its rotation,
    // until the box's bounding sphere fills the view's height. False (and
    // nothing moved) for an empty box or a pixel height not above 0.
    bool frame(const DzBox3& box, float pixelHeight);

    // Vertical field of view in degrees of a lens on the 24 mm frame height.
    static float fieldOfViewFor(float focalLength);
    static float focalLengthFor(float fieldOfView);

private:
    int m_type;
    DzFloatProperty* m_focalLength;
};
