#pragma once

#include "pipeline_fixture.h"

#include "common/user_prompts.h"

#include "recording_scene.h"
#include "hostexport/scene_creator.h"
#include "pipeline/terrain_arrays.h"
#include "sky/sky_state.h"

#include "scripted_random.h"

#include <QFileInfo>
#include <QSet>

#include <deque>
#include <memory>

namespace morvane::testing {

// Answers Yes/Cancel and Yes/No questions from one queue (empty: Cancel or
// No) and records every box as "title|text".
struct ScenePrompts : UserPrompts {
    QStringList boxes;
    std::deque<bool> answers;
    void warn(const QString& title, const QString& text) override { boxes << title + '|' + text; }
    bool askYesCancel(const QString& title, const QString& text) override {
        boxes << title + '|' + text;
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString askText(const QString&, const QString&, bool* accepted) override {
        *accepted = false;
        return {};
    }
    double askNumber(const QString&, const QString&, double value, double, double, int,
                     bool* accepted) override {
        *accepted = false;
        return value;
    }
};

// A flat 512 x 512 terrain with its files going to a temporary maps folder,
// a recording host and scripted answers.
class SceneFixture : public PipelineFixture {
protected:
    void SetUp() override {
        PipelineFixture::SetUp();
        context.notifier = &prompts;
        context.threadCount = 1;
        m_driver = std::make_unique<GenerationDriver>(state, context);
        ASSERT_TRUE(QDir().mkpath(paths.resourcesDir()));
        ASSERT_TRUE(writeFile(paths.resourcesDir() + "/skydome.obj", "v 0 0 0\n"));
        noise::utils::NoiseMap flat;
        flat.SetSize(512, 512);
        flat.Clear(0.0f);
        state.terrain = buildTerrainArrays(flat, TerrainBuildParams{}, log);
        state.terrainExists = true;
        request.textureSize = 32;
    }

    SceneResult build() {
        const SceneServices services{*m_driver, items,    sky,    stars, prompts, log,
                                     progress,      status,   scene,  1};
        return createScene(services, request);
    }
    QString mapsFile(const QString& name) const { return paths.mapFile(name); }
    QString propFile(const QString& prop) const { return root() + "/props/" + prop + ".pp2"; }

    // An item of a prop file that exists (empty `prop`: no file at all).
    ItemRecord item(const QString& prop, int slot, float x = 0.0f) {
        ItemRecord record;
        if (!prop.isEmpty()) {
            record.propFile = propFile(prop);
            QDir().mkpath(QFileInfo(record.propFile).absolutePath());
            writeFile(record.propFile, "{}");
        }
        record.modelSlot = slot;
        record.position = {x, 0.5f, -1.0f};
        return record;
    }

    SceneRequest request;
    ItemList items;
    SkyState sky;
    ScriptedRandom stars;
    ScenePrompts prompts;
    RecordingStatus status;
    RecordingScene scene;

private:
    std::unique_ptr<GenerationDriver> m_driver;
};

} // namespace morvane::testing
