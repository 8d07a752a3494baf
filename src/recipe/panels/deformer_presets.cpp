#include "recipe/panels/deformer_presets.h"

#include "recipe/panels/panel_style.h"
#include "recipe/profiles.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QPushButton>

namespace morvane {

namespace {

constexpr int kButtonSide = 28;
constexpr int kIconSide = 24;
constexpr int kColumns = 6;

QString iconFile(PresetKind kind, const QString& resourcesDir, int n) {
    const QString curve = resourcesDir + QStringLiteral("/curve_%1.jpg").arg(n);
    if (kind == PresetKind::Curve)
        return curve;
    const QString terrace = resourcesDir + QStringLiteral("/terrace_%1.jpg").arg(n);
    return QFileInfo::exists(terrace) ? terrace : curve;
}

} // namespace

PresetRow makePresetRow(PresetKind kind, const QString& resourcesDir, const QString& gridName,
                        QWidget* parent) {
    PresetRow row;
    row.kind = kind;
    row.grid = new QWidget(parent);
    row.grid->setObjectName(gridName);
    auto* layout = new QGridLayout(row.grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    const bool curve = kind == PresetKind::Curve;
    const int count = curve ? kCurveProfileCount : kTerraceProfileCount;
    const QString stem = curve ? QStringLiteral("curve_") : QStringLiteral("terrace_");
    for (int n = 0; n < count; ++n) {
        auto* button = new QPushButton(row.grid);
        button->setObjectName(stem + QString::number(n));
        button->setProperty("preset", true);
        button->setFixedSize(kButtonSide, kButtonSide);
        button->setFocusPolicy(Qt::NoFocus);
        const QImage picture = QImageReader(iconFile(kind, resourcesDir, n)).read();
        if (picture.isNull()) {
            button->setText(QString::number(n));
        } else {
            button->setIcon(QIcon(QPixmap::fromImage(picture.scaled(
                kIconSide, kIconSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))));
            button->setIconSize(QSize(kIconSide, kIconSide));
        }
        button->setStyleSheet(style::presetButtonPlain());
        layout->addWidget(button, n / kColumns, n % kColumns);
        row.buttons.push_back(button);
    }
    layout->setColumnStretch(kColumns, 1);
    return row;
}

void markPreset(const PresetRow& row, int profile) {
    if (profile < 0 || profile >= row.buttons.size())
        profile = 0;
    for (int n = 0; n < row.buttons.size(); ++n)
        row.buttons[n]->setStyleSheet(n == profile ? style::presetButtonMarked()
                                                   : style::presetButtonPlain());
}

int clickedPreset(const PresetRow& row, const QObject* sender) {
    const auto* button = qobject_cast<const QPushButton*>(sender);
    if (!button || !row.buttons.contains(const_cast<QPushButton*>(button)))
        return -1;
    bool ok = false;
    const int n = button->objectName().section(QLatin1Char('_'), 1).toInt(&ok);
    return ok && n >= 0 && n < row.buttons.size() ? n : -1;
}

} // namespace morvane
