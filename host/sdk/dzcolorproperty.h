#pragma once

#include "dzproperty.h"

#include <QColor>
#include <QPointer>

#include "dztexture.h"

// A colour, optionally modulated by a picture (its map).
class DZCORE_EXPORT DzColorProperty : public DzProperty {
    Q_OBJECT
public:
    DzColorProperty(const QString& name, const QString& label,
                    const QColor& value = QColor(255, 255, 255, 255));

    QColor getColorValue() const { return m_value; }
    // Refuses (false, console message) an invalid colour.
    bool setColorValue(const QColor& value);

    DzTexture* getMapValue() const { return m_map; }
    // Null clears the map.
    void setMap(DzTexture* map);

private:
    QColor m_value;
    QPointer<DzTexture> m_map;
};
