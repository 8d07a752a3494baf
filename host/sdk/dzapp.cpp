#include "dzapp.h"

#include "dzclassfactory.h"
#include "dzbuiltinfactories.h"
#include "dzcontentmgr.h"
#include "dzimagemgr.h"
#include "dzimportmgr.h"
#include "dzscene.h"

#include <QScriptEngine>

DzApp* dzApp = nullptr;

DzApp::DzApp(QObject* parent)
    : QObject(parent), m_contentMgr(new DzContentMgr(this)), m_imageMgr(new DzImageMgr(this)),
      m_importMgr(new DzImportMgr(this)), m_scene(new DzScene(this)),
      m_scriptEngine(new QScriptEngine(this)) {
    Q_ASSERT_X(!dzApp, "DzApp", "the host makes one application object");
    dzApp = this;
    dzRegisterBuiltinFactories(*this);
}

DzApp::~DzApp() {
    // Nodes go before the textures their materials point at.
    delete m_scene;
    if (dzApp == this)
        dzApp = nullptr;
}

DzClassFactory* DzApp::findClassFactory(const QString& className) const {
    for (DzClassFactory* factory : m_factories)
        if (factory->getClassName() == className)
            return factory;
    return nullptr;
}

DzClassFactory* DzApp::findClassFactory(const DzGuid& guid) const {
    if (guid.isNull())
        return nullptr;
    for (DzClassFactory* factory : m_factories)
        if (factory->getGuid() == guid)
            return factory;
    return nullptr;
}

DzClassFactory* DzApp::getClassFactory(int index) const {
    return index >= 0 && index < m_factories.size() ? m_factories.at(index) : nullptr;
}

bool DzApp::registerClassFactory(DzClassFactory* factory) {
    if (!factory || findClassFactory(factory->getClassName()) ||
        findClassFactory(factory->getGuid()))
        return false;
    m_factories.append(factory);
    factory->registerClass(m_scriptEngine);
    return true;
}
