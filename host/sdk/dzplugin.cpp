#include "dzplugin.h"

#include "dzclassfactory.h"

DzPlugin::DzPlugin(const QString& name) : m_name(name) {}

DzPlugin::~DzPlugin() {
    qDeleteAll(m_factories);
}

void DzPlugin::setVersion(int major, int minor, int revision, int build) {
    m_version = DzVersion(major, minor, revision, build);
}

void DzPlugin::addClassFactory(DzClassFactory* factory) {
    if (factory && !m_factories.contains(factory))
        m_factories.append(factory);
}

DzClassFactory* DzPlugin::getClassFactory(int index) const {
    return index >= 0 && index < m_factories.size() ? m_factories.at(index) : nullptr;
}
