#include "dzbasiccamera.h"

#include "dzconsole.h"
#include "dzfloatproperty.h"

#include <cmath>

namespace {
const double kFrameHeight = 24.0; // millimetres of a 35 mm frame
}

DzBasicCamera::DzBasicCamera(int cameraType, bool)
    : m_type(cameraType),
      m_focalLength(new DzFloatProperty(QStringLiteral("Focal Length"),
                                        QStringLiteral("Focal Length (mm)"), 65.0f, 0.1f,
                                        100000.0f)) {
    addProperty(m_focalLength);
    connect(m_focalLength, &DzProperty::currentValueChanged, this, &DzNode::drawnDataChanged);
}

float DzBasicCamera::getFocalLength() const {
    return m_focalLength->getValue();
}

bool DzBasicCamera::setFocalLength(float millimetres) {
    return m_focalLength->setValue(millimetres);
}

float DzBasicCamera::getFieldOfView() const {
    return fieldOfViewFor(getFocalLength());
}

float DzBasicCamera::fieldOfViewFor(float focalLength) {
    return float(2.0 * std::atan(kFrameHeight * 0.5 / double(focalLength)) * 180.0 / M_PI);
}

float DzBasicCamera::focalLengthFor(float fieldOfView) {
    return float(kFrameHeight * 0.5 / std::tan(double(fieldOfView) * M_PI / 360.0));
}

bool DzBasicCamera::frame(const DzBox3& box, float pixelHeight) {
    if (box.isEmpty() || !(pixelHeight > 0.0f)) {
        dzConsoleMessage(QStringLiteral("camera \"%1\": nothing to frame").arg(getName()));
        return false;
    }
    const double radius = std::max(0.5 * double(box.getDiagonal()), 1.0);
    const double halfFov = double(getFieldOfView()) * M_PI / 360.0;
    // The sphere touches the top and bottom planes of the view. One pixel of
    // margin keeps its outline inside.
    const double distance = radius / std::sin(halfFov) * (1.0 + 1.0 / double(pixelHeight));
    const DzVec3 direction = getWSDirection();
    setWSPos(box.getCenter() - direction * float(distance));
    return true;
}
