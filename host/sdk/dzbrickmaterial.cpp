#include "dzbrickmaterial.h"

#include "dzcolorproperty.h"
#include "dzconsole.h"
#include "dzimagebrick.h"
#include "dzimageproperty.h"
#include "dznormalmapbrick.h"

DzBrickMaterial::DzBrickMaterial(QObject* parent) : DzMaterial(parent) {}

void DzBrickMaterial::beginEdit() {
    m_editing = true;
}

void DzBrickMaterial::finishEdit() {
    if (!m_editing)
        return;
    m_editing = false;
    for (DzShaderBrick* brick : qAsConst(m_bricks))
        for (int i = 0; i < brick->getNumParameters(); ++i) {
            DzBrickParam* param = brick->getParameter(i);
            DzProperty* property = param->getProperty();
            if (!property || param->getConnection() || findProperty(property->getName()))
                continue;
            // Listed, not owned: the brick keeps it.
            addProperty(property);
            property->setParent(param);
            connect(property, &DzProperty::currentValueChanged, this, &DzMaterial::materialChanged);
        }
    emit materialChanged();
}

bool DzBrickMaterial::addBrick(DzShaderBrick* brick) {
    if (!m_editing || !brick || m_bricks.contains(brick)) {
        dzConsoleMessage(QStringLiteral("material \"%1\": brick refused (%2)")
                             .arg(getName(), !m_editing ? QStringLiteral("not in an edit")
                                                        : QStringLiteral("null or already added")));
        return false;
    }
    brick->setParent(this);
    m_bricks.append(brick);
    return true;
}

DzShaderBrick* DzBrickMaterial::getBrick(int index) const {
    return index >= 0 && index < m_bricks.size() ? m_bricks.at(index) : nullptr;
}

void DzBrickMaterial::update() {
    emit materialChanged();
}

DzTexture* DzBrickMaterial::getColorMap() const {
    for (DzShaderBrick* brick : m_bricks)
        if (qobject_cast<DzImageBrick*>(brick))
            if (DzBrickParam* color = brick->findParameterByArg(QStringLiteral("color")))
                if (auto* p = qobject_cast<DzColorProperty*>(color->getProperty()))
                    if (p->getMapValue())
                        return p->getMapValue();
    return DzMaterial::getColorMap();
}

DzTexture* DzBrickMaterial::getNormalMap() const {
    for (DzShaderBrick* brick : m_bricks)
        if (qobject_cast<DzNormalMapBrick*>(brick))
            if (DzBrickParam* map = brick->findParameterByArg(QStringLiteral("normalmap")))
                if (auto* p = qobject_cast<DzImageProperty*>(map->getProperty()))
                    if (p->getValue())
                        return p->getValue();
    return nullptr;
}
