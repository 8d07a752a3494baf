// A small plug-in for the host tests: one create-item action that opens a
// panel of its own and counts its runs.

#include "dzcreateitemaction.h"
#include "dzplugin.h"
#include "dztclassfactory.h"
#include "dzversion.h"

#include <QLabel>
#include <QPointer>

#include <memory>

class HostTestAction : public DzCreateItemAction {
    Q_OBJECT
public:
    enum Shade { Light = 1, Dark = 2 };
    Q_ENUM(Shade)

    HostTestAction()
        : DzCreateItemAction(QStringLiteral("Host &Test Item..."),
                             QStringLiteral("Opens the test panel")) {}
    ~HostTestAction() override { delete m_panel; }

public slots:
    int runCount() const { return m_runs; }
    QString echo(const QString& text, int times) const { return text.repeated(times); }

protected slots:
    void executeAction() override {
        ++m_runs;
        if (!m_panel) {
            m_panel = new QLabel(QStringLiteral("host test panel"));
            m_panel->setObjectName(QStringLiteral("hostTestPanel"));
            m_panel->setStyleSheet(QStringLiteral("background: rgb(10, 200, 30);"));
            m_panel->resize(160, 90);
        }
        m_panel->show();
    }

private:
    int m_runs = 0;
    QPointer<QLabel> m_panel;
};

namespace {

DzPlugin* makeDefinition() {
    auto* plugin = new DzPlugin(QStringLiteral("Host Test"));
    plugin->setVersion(0, 1, 0, 0);
    plugin->addClassFactory(new DzTClassFactory<HostTestAction>(
        DzGuid::fromString(QStringLiteral("3F2C9A10-0B7E-4D1A-9C55-6A8E12F0B001"))));
    return plugin;
}

const std::unique_ptr<DzPlugin> g_definition(makeDefinition());

} // namespace

extern "C" Q_DECL_EXPORT DzVersion getSDKVersion() {
    return dzSDKVersion();
}

extern "C" Q_DECL_EXPORT DzPlugin* getPluginDefinition() {
    return g_definition.get();
}

#include "test_plugin.moc"
