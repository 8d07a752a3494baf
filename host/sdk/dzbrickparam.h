#pragma once

#include "dzbase.h"

#include <QPointer>

class DzProperty;

// One input or output of a shader brick. Inputs may hold a property (the
// value used when nothing is connected) and take one connection from an
// output of the same kind.
class DZCORE_EXPORT DzBrickParam : public DzBase {
    Q_OBJECT
public:
    enum Direction { Input, Output };
    enum Kind { Color, Float, Normal, Image };
    Q_ENUM(Kind)

    DzBrickParam(const QString& argName, Direction direction, Kind kind,
                 DzProperty* property = nullptr);

    QString getArgName() const { return getName(); }
    Direction getDirection() const { return m_direction; }
    Kind getKind() const { return m_kind; }
    DzProperty* getProperty() const { return m_property; }

    // True when this is an input of the output's kind.
    bool accepts(const DzBrickParam* output) const;
    // Connects `output` to this input; false (console message) when it is
    // not accepted.
    bool addConnection(DzBrickParam* output);
    DzBrickParam* getConnection() const { return m_connection; }

private:
    Direction m_direction;
    Kind m_kind;
    DzProperty* m_property;
    QPointer<DzBrickParam> m_connection;
};
