#include "gui/gui_fixture.h"

#include "plugin/ui/panel_pipeline_view.h"
#include "plugin/ui/qt_user_prompts.h"
#include "recipe/panels/C1.h"
#include "recipe/panels/D1.h"
#include "recipe/panels/FF.h"
#include "recipe/panels/I1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <tuple>

namespace morvane::testing {
namespace {

class PanelPipelineViewTest : public PanelFixture {};

// Six pictures of six colours, each to its own panel.
TEST_F(PanelPipelineViewTest, RoutesEachPreviewToItsPanelAndTheRefreshButtonToTheFinalStage) {
    const PanelContext context = panelContext();
    I1 input1(0, context), input2(1, context);
    D1 deformer1(0, context), deformer2(1, context);
    C1 combiner(context);
    PanelPipelineView view;
    FF finalStage(context, view);
    view.setPanels(&input1, &input2, &deformer1, &deformer2, &combiner, &finalStage);

    const std::tuple<PreviewSlot, QLabel*, QColor> targets[] = {
        {PreviewSlot::Input1, input1.previewLabel(), Qt::red},
        {PreviewSlot::Input2, input2.previewLabel(), Qt::green},
        {PreviewSlot::Deformer1, deformer1.previewLabel(), Qt::blue},
        {PreviewSlot::Deformer2, deformer2.previewLabel(), Qt::yellow},
        {PreviewSlot::ControlNoise, combiner.previewLabel(), Qt::cyan},
        {PreviewSlot::Final, finalStage.previewLabel(), Qt::magenta}};
    for (const auto& [slot, label, colour] : targets) {
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(colour);
        const QString file = QDir(root()).filePath(colour.name() + ".png");
        ASSERT_TRUE(picture.save(file));
        view.showPreview(slot, file);
    }
    for (const auto& [slot, label, colour] : targets) {
        const QImage shown = label->pixmap(Qt::ReturnByValue).toImage();
        ASSERT_FALSE(shown.isNull()) << colour.name().toStdString();
        EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), colour);
    }

    auto* refresh = finalStage.findChild<QWidget*>("FFReGenerateNoise");
    ASSERT_NE(refresh, nullptr);
    view.setRefreshButtonVisible(true);
    EXPECT_FALSE(refresh->isHidden());
    view.setRefreshButtonVisible(false);
    EXPECT_TRUE(refresh->isHidden());
}

// The real dialogs, answered by a timer while they run: a wrong mapping of
// the buttons would quit or reset without the user's consent.
TEST(QtUserPromptsTest, QuestionHasYesAndCancelAndNoDefaultButton) {
    QtUserPrompts prompts;
    QStringList shown; // title|text|buttons, a default one marked
    auto answer = [&shown](const QString& choice) {
        QTimer::singleShot(0, [&shown, choice] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QStringList buttons;
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                auto* push = qobject_cast<QPushButton*>(button);
                const bool isDefault = push && (push->isDefault() || push->autoDefault());
                buttons << button->text() + (isDefault ? " (default)" : "");
                chosen = button->text() == choice ? button : chosen;
            }
            buttons.sort();
            shown << box->windowTitle() + '|' + box->text() + '|' + buttons.join(", ");
            if (chosen)
                chosen->click();
            else
                box->reject();
        });
    };
    answer("&Yes");
    EXPECT_TRUE(prompts.askYesCancel("Warning", "quit MORVANE?"));
    answer("Cancel");
    EXPECT_FALSE(prompts.askYesCancel("Warning", "quit MORVANE?"));
    answer("&OK");
    prompts.warn("Error", "no image selected");
    EXPECT_EQ(shown.join('\n').toStdString(), "Warning|quit MORVANE?|&Yes, Cancel\n"
                                              "Warning|quit MORVANE?|&Yes, Cancel\n"
                                              "Error|no image selected|&OK (default)");
}

} // namespace
} // namespace morvane::testing
