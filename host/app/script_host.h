#pragma once

#include "dialog_answerer.h"
#include "script_function.h"
#include "script_input.h"

#include <QString>

#include <functional>

class QObject;
class QPixmap;
class QScriptContext;
class QScriptEngine;
class QScriptValue;
class QWidget;

namespace morvane::host {

class HostWindow;

// The scripting side of the host: the global functions scripts use to drive
// plug-ins (print, findAction, Actions, findWidget, saveScreenshot,
// saveScene, processEvents, quit), to act on widgets as a user would (mouse, keys,
// values, items, answers to dialogs), and the running of a script file.
class ScriptHost {
public:
    // `report` takes what the host tells about a script besides its
    // errors (dialogs with no answer left, answers not used); stderr when
    // not given.
    ScriptHost(QScriptEngine& engine, const HostWindow& window,
               std::function<void(const QString&)> report = {});

    // Installs the globals; call after the plug-ins' actions exist, so
    // Actions lists them.
    void install();

    struct Result {
        enum Outcome { Finished, Quit, Error } outcome = Finished;
        int exitCode = 0; // the code given to quit()
        QString error;    // "FILE:LINE: message" and the backtrace
    };
    Result runFile(const QString& file);
    Result run(const QString& program, const QString& fileName);

private:
    // Every global function of the API, in one list.
    ScriptFunctions functions();

    static QScriptValue print(QScriptContext* context, QScriptEngine* engine, void* self);
    static QScriptValue findAction(QScriptContext* context, QScriptEngine* engine, void* self);
    static QScriptValue findWidget(QScriptContext* context, QScriptEngine* engine, void* self);
    static QScriptValue saveScreenshot(QScriptContext* context, QScriptEngine* engine, void* self);
    // The widget as shown, OpenGL views included.
    static QPixmap grabWithGl(QWidget* widget);
    // saveScene(path): the scene as glTF; true when written.
    static QScriptValue saveScene(QScriptContext* context, QScriptEngine* engine, void* self);
    static QScriptValue processEvents(QScriptContext* context, QScriptEngine* engine, void* self);
    static QScriptValue quit(QScriptContext* context, QScriptEngine* engine, void* self);

    QScriptValue wrap(QObject* object);

    QScriptEngine& m_engine;
    const HostWindow& m_window;
    ScriptInput m_input;
    DialogAnswerer m_answerer;
    bool m_quitRequested = false;
    int m_quitCode = 0;
};

} // namespace morvane::host
