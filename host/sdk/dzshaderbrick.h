#pragma once

#include "dzbrickparam.h"
#include "dzelement.h"
#include "dzsettings.h"

#include <QList>

// One node of a brick material's shading network.
class DZCORE_EXPORT DzShaderBrick : public DzElement {
    Q_OBJECT
public:
    explicit DzShaderBrick(QObject* parent = nullptr);

    int getNumParameters() const { return int(m_params.size()); }
    DzBrickParam* getParameter(int index) const;
    // By argument name; null when the brick has none.
    DzBrickParam* findParameterByArg(const QString& argName) const;
    // The brick's own options (for the root: "AutoArrange").
    DzSettings* getSettings() { return &m_settings; }

protected:
    DzBrickParam* addParameter(DzBrickParam* param);

private:
    QList<DzBrickParam*> m_params;
    DzSettings m_settings;
};
