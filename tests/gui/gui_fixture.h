#pragma once

#include "../pipeline_fixture.h"

#include "common/seed_source.h"
#include "common/user_prompts.h"
#include "recipe/panels/panel_context.h"

#include <QApplication>
#include <QStringList>

#include <deque>
#include <utility>
#include <vector>

namespace morvane::testing {

// Answers the plug-in's dialogs from queues the test fills, and records
// every question and warning. An empty queue answers "Cancel" / cancelled.
struct ScriptedPrompts : UserPrompts {
    std::vector<std::pair<QString, QString>> warnings; // title, text
    QStringList questions;
    QStringList fileDialogs; // "title|folder|filter"
    QStringList textDialogs; // "title|label"
    std::deque<bool> yesAnswers;
    std::deque<QString> files;
    std::deque<QString> texts; // an entry of QString() means cancelled
    QStringList numberDialogs; // "title|label|value|minimum|maximum|decimals"
    std::deque<double> numbers; // an empty queue means cancelled

    void warn(const QString& title, const QString& text) override {
        warnings.emplace_back(title, text);
    }
    bool askYesCancel(const QString& title, const QString& text) override {
        questions << title + '|' + text;
        if (yesAnswers.empty())
            return false;
        const bool yes = yesAnswers.front();
        yesAnswers.pop_front();
        return yes;
    }
    QString chooseOpenFile(const QString& title, const QString& folder,
                           const QString& filter) override {
        fileDialogs << title + '|' + folder + '|' + filter;
        if (files.empty())
            return QString();
        QString file = files.front();
        files.pop_front();
        return file;
    }
    QString askText(const QString& title, const QString& label, bool* accepted) override {
        textDialogs << title + '|' + label;
        QString text;
        if (!texts.empty()) {
            text = texts.front();
            texts.pop_front();
        }
        if (accepted)
            *accepted = !text.isNull();
        return text;
    }
    double askNumber(const QString& title, const QString& label, double value, double minimum,
                     double maximum, int decimals, bool* accepted) override {
        numberDialogs << QStringList{title, label, QString::number(value), QString::number(minimum),
                                     QString::number(maximum), QString::number(decimals)}
                             .join('|');
        const bool have = !numbers.empty();
        if (accepted)
            *accepted = have;
        if (!have)
            return value;
        const double number = numbers.front();
        numbers.pop_front();
        return number;
    }
};

// The pipeline fixture with what a panel needs besides: a driver, fixed
// seeds and scripted dialogs. Evaluations run at the fixture's small size.
class PanelFixture : public PipelineFixture {
protected:
    void SetUp() override {
        PipelineFixture::SetUp();
        context.notifier = &prompts;
        context.threadCount = 1;
        m_driver = std::make_unique<GenerationDriver>(state, context);
    }

    GenerationDriver& panelDriver() { return *m_driver; }
    PanelContext panelContext() { return PanelContext{*m_driver, seeds, prompts}; }

    ScriptedPrompts prompts;
    SequenceSeedSource seeds{7};

private:
    std::unique_ptr<GenerationDriver> m_driver;
};

} // namespace morvane::testing
