#include "script_host.h"

#include "dzaction.h"
#include "dzapp.h"
#include "scene_files.h"
#include "host_window.h"
#include "script_arguments.h"
#include "script_controls.h"

#include <QApplication>
#include <QFile>
#include <QGLWidget>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScriptEngine>
#include <QWidget>

#include <cstdio>

namespace morvane::host {

namespace {

ScriptHost& host(void* self) {
    return *static_cast<ScriptHost*>(self);
}

void printToStderr(const QString& text) {
    std::fputs(("studio: " + text + '\n').toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

} // namespace

ScriptHost::ScriptHost(QScriptEngine& engine, const HostWindow& window,
                       std::function<void(const QString&)> report)
    : m_engine(engine), m_window(window),
      m_answerer(report ? std::move(report) : DialogAnswerer::Report(printToStderr)) {}

ScriptFunctions ScriptHost::functions() {
    ScriptFunctions all = {
        {"print", print, this},
        {"findAction", findAction, this},
        {"findWidget", findWidget, this},
        {"saveScreenshot", saveScreenshot, this},
        {"saveScene", saveScene, this},
        {"processEvents", processEvents, this},
        {"quit", quit, this},
    };
    for (const ScriptFunctions& more :
         {m_input.functions(), script_controls::functions(), m_answerer.functions()})
        all.insert(all.end(), more.begin(), more.end());
    return all;
}

void ScriptHost::install() {
    QScriptValue global = m_engine.globalObject();
    for (const ScriptFunction& function : functions())
        global.setProperty(QLatin1String(function.name),
                           m_engine.newFunction(function.call, function.self));

    const QList<DzAction*> actions = m_window.createActions();
    QScriptValue list = m_engine.newArray(uint(actions.size()));
    for (int i = 0; i < actions.size(); ++i)
        list.setProperty(quint32(i), wrap(actions.at(i)));
    global.setProperty(QStringLiteral("Actions"), list);
}

ScriptHost::Result ScriptHost::runFile(const QString& file) {
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Result result;
        result.outcome = Result::Error;
        result.error =
            QStringLiteral("%1: cannot read the script: %2").arg(file, source.errorString());
        return result;
    }
    return run(QString::fromUtf8(source.readAll()), file);
}

ScriptHost::Result ScriptHost::run(const QString& program, const QString& fileName) {
    m_quitRequested = false;
    m_quitCode = 0;
    // Dialogs are answered only while a script runs; a user meets them
    // afterwards as they come.
    m_answerer.startWatching();
    m_engine.evaluate(program, fileName);
    m_answerer.stopWatching();

    Result result;
    if (m_engine.hasUncaughtException()) {
        result.outcome = Result::Error;
        result.error = QStringLiteral("%1:%2: %3")
                           .arg(fileName)
                           .arg(m_engine.uncaughtExceptionLineNumber())
                           .arg(m_engine.uncaughtException().toString());
        const QStringList backtrace = m_engine.uncaughtExceptionBacktrace();
        for (const QString& frame : backtrace)
            result.error += QStringLiteral("\n    at ") + frame;
        m_engine.clearExceptions();
    } else if (m_quitRequested) {
        result.outcome = Result::Quit;
        result.exitCode = m_quitCode;
    }
    return result;
}

QScriptValue ScriptHost::wrap(QObject* object) {
    // The host and its plug-ins own these objects, not the script.
    return object ? m_engine.newQObject(object, QScriptEngine::QtOwnership)
                  : QScriptValue(QScriptValue::NullValue);
}

QScriptValue ScriptHost::print(QScriptContext* context, QScriptEngine*, void*) {
    QString line;
    for (int i = 0; i < context->argumentCount(); ++i) {
        if (i > 0)
            line += QLatin1Char(' ');
        line += context->argument(i).toString();
    }
    line += QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return QScriptValue();
}

QScriptValue ScriptHost::findAction(QScriptContext* context, QScriptEngine*, void* self) {
    const QString text = context->argument(0).toString();
    return host(self).wrap(host(self).m_window.findAction(text));
}

QScriptValue ScriptHost::findWidget(QScriptContext* context, QScriptEngine*, void* self) {
    return host(self).wrap(widgetNamed(context->argument(0).toString()));
}

QScriptValue ScriptHost::saveScreenshot(QScriptContext* context, QScriptEngine*, void*) {
    const QScriptValue target = context->argument(0);
    QWidget* widget = target.isQObject() ? qobject_cast<QWidget*>(target.toQObject())
                                         : widgetNamed(target.toString());
    const QString file = context->argument(1).toString();
    if (!widget || file.isEmpty())
        return false;
    return grabWithGl(widget).save(file);
}

QPixmap ScriptHost::grabWithGl(QWidget* widget) {
    QPixmap picture = widget->grab();
    // A widget grab leaves OpenGL views empty: paint what each visible one
    // has rendered over its place.
    QPainter painter(&picture);
    const auto views = widget->findChildren<QGLWidget*>();
    for (QGLWidget* view : views) {
        if (!view->isVisible())
            continue;
        const QPoint at = view->mapTo(widget, QPoint(0, 0));
        painter.drawImage(at, view->grabFrameBuffer());
    }
    if (auto* view = qobject_cast<QGLWidget*>(widget))
        painter.drawImage(0, 0, view->grabFrameBuffer());
    return picture;
}

QScriptValue ScriptHost::saveScene(QScriptContext* context, QScriptEngine*, void*) {
    QString error;
    if (!dzApp || !saveSceneAs(*dzApp->getScene(), context->argument(0).toString(), &error)) {
        printToStderr(QStringLiteral("saveScene: ") + (dzApp ? error : QStringLiteral("no scene")));
        return false;
    }
    return true;
}

QScriptValue ScriptHost::processEvents(QScriptContext*, QScriptEngine*, void*) {
    QCoreApplication::processEvents();
    return QScriptValue();
}

QScriptValue ScriptHost::quit(QScriptContext* context, QScriptEngine* engine, void* self) {
    const int code = context->argumentCount() > 0 ? context->argument(0).toInt32() : 0;
    host(self).m_quitRequested = true;
    host(self).m_quitCode = code;
    // Stops the script here; the caller ends the host with the code.
    engine->abortEvaluation(QScriptValue(code));
    return QScriptValue();
}

} // namespace morvane::host
