#include "script_controls.h"

#include "script_arguments.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QScriptContext>
#include <QScriptValue>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace morvane::host::script_controls {

namespace {

QString notANumber(QWidget* widget, const QScriptValue& value) {
    return QStringLiteral("%1 takes a number, not \"%2\"").arg(widgetLabel(widget), value.toString());
}

QString setSlider(QAbstractSlider* slider, const QScriptValue& value) {
    if (!value.isNumber() || !std::isfinite(value.toNumber()))
        return notANumber(slider, value);
    // The slider keeps the value within its range, as the handle does.
    const double wanted = std::round(value.toNumber());
    const int clamped = int(std::clamp(wanted, double(slider->minimum()), double(slider->maximum())));
    slider->setSliderDown(true);
    slider->setSliderPosition(clamped);
    slider->setSliderDown(false);
    return QString();
}

QString setSpinBox(QWidget* widget, const QScriptValue& value) {
    if (!value.isNumber() || !std::isfinite(value.toNumber()))
        return notANumber(widget, value);
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        const double wanted = std::round(value.toNumber());
        spin->setValue(int(std::clamp(wanted, double(spin->minimum()), double(spin->maximum()))));
        emit spin->editingFinished();
    } else {
        auto* doubleSpin = qobject_cast<QDoubleSpinBox*>(widget);
        doubleSpin->setValue(value.toNumber());
        emit doubleSpin->editingFinished();
    }
    return QString();
}

QString setCheckable(QAbstractButton* button, const QScriptValue& value) {
    bool checked = false;
    if (value.isBool())
        checked = value.toBool();
    else if (value.isNumber() && (value.toNumber() == 0 || value.toNumber() == 1))
        checked = value.toNumber() == 1;
    else
        return QStringLiteral("%1 takes true or false, not \"%2\"")
            .arg(widgetLabel(button), value.toString());
    if (button->isChecked() != checked)
        button->click();
    return QString();
}

QString usable(QWidget* widget) {
    if (!widget->isEnabled())
        return widgetLabel(widget) + QStringLiteral(" is disabled");
    return QString();
}

} // namespace

QString setValue(QWidget* widget, const QScriptValue& value) {
    if (QString problem = usable(widget); !problem.isEmpty())
        return problem;
    if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
        return setSlider(slider, value);
    if (qobject_cast<QSpinBox*>(widget) || qobject_cast<QDoubleSpinBox*>(widget))
        return setSpinBox(widget, value);
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable())
        return setCheckable(button, value);
    return QStringLiteral("%1 is a %2; setValue takes sliders, spin boxes and check boxes")
        .arg(widgetLabel(widget), QLatin1String(widget->metaObject()->className()));
}

QString chooseItem(QWidget* widget, const QString& text) {
    if (QString problem = usable(widget); !problem.isEmpty())
        return problem;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0)
            return QStringLiteral("%1 has no item \"%2\"").arg(widgetLabel(widget), text);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        emit combo->textActivated(text);
        // The older signal by name: Qt still emits it for a user's choice.
        QMetaObject::invokeMethod(combo, "activated", Qt::DirectConnection, Q_ARG(QString, text));
        return QString();
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const QList<QListWidgetItem*> items =
            list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (items.isEmpty())
            return QStringLiteral("%1 has no item \"%2\"").arg(widgetLabel(widget), text);
        QListWidgetItem* item = items.first();
        list->scrollToItem(item);
        list->setCurrentItem(item);
        emit list->itemClicked(item);
        return QString();
    }
    return QStringLiteral("%1 is a %2; chooseItem takes combo boxes and list widgets")
        .arg(widgetLabel(widget), QLatin1String(widget->metaObject()->className()));
}

namespace {

QScriptValue setValueFunction(QScriptContext* context, QScriptEngine*, void*) {
    ScriptArguments args(context, QStringLiteral("setValue(widget, value)"));
    if (!args.expect(2, 2))
        return args.raise();
    QWidget* widget = args.widget(0);
    if (args.failed())
        return args.raise();
    const QString problem = setValue(widget, context->argument(1));
    if (!problem.isEmpty()) {
        args.fail(problem);
        return args.raise();
    }
    return QScriptValue();
}

QScriptValue chooseItemFunction(QScriptContext* context, QScriptEngine*, void*) {
    ScriptArguments args(context, QStringLiteral("chooseItem(widget, text)"));
    if (!args.expect(2, 2))
        return args.raise();
    QWidget* widget = args.widget(0);
    const std::optional<QString> text = args.text(1, "the item text");
    if (args.failed())
        return args.raise();
    const QString problem = chooseItem(widget, *text);
    if (!problem.isEmpty()) {
        args.fail(problem);
        return args.raise();
    }
    return QScriptValue();
}

} // namespace

ScriptFunctions functions() {
    return {
        {"setValue", setValueFunction, nullptr},
        {"chooseItem", chooseItemFunction, nullptr},
    };
}

} // namespace morvane::host::script_controls
