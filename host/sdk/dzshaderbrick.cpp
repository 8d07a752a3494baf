#include "dzshaderbrick.h"

DzShaderBrick::DzShaderBrick(QObject* parent) : DzElement(parent) {}

DzBrickParam* DzShaderBrick::getParameter(int index) const {
    return index >= 0 && index < m_params.size() ? m_params.at(index) : nullptr;
}

DzBrickParam* DzShaderBrick::findParameterByArg(const QString& argName) const {
    for (DzBrickParam* param : m_params)
        if (param->getArgName() == argName)
            return param;
    return nullptr;
}

DzBrickParam* DzShaderBrick::addParameter(DzBrickParam* param) {
    param->setParent(this);
    m_params.append(param);
    return param;
}
